// The one-line name entry: letters, digits and blanks, limited by drawn width, with a blinking cursor.
#pragma once

#include "ZoDialogPanel.h"

#include <memory>
#include <string>

class ZoProfileManager;

class ZoTextDialogPanel : public ZoDialogPanel {
public:
    static constexpr std::uint8_t kReturnKey = 13;
    static constexpr std::uint8_t kBackspaceKey = 8;

    // Layout from the engine definitions, the OK and Cancel buttons and the cursor.
    void Init() override;
    void Draw() override;
    void Update(std::int32_t elapsed) override;
    bool HandleInput(const ZoInputEvent& event) override;
    // Opens empty.
    void Open() override;

    // Letters and digits (with the typing sound, enabling OK) and blanks are taken.
    bool AcceptChar(char character);
    bool HasText() const { return !text.empty(); }
    bool HasVisibleText() const { return text.find_first_not_of(' ') != std::string::npos; }
    const std::string& Text() const { return text; }
    ZoClip* Cursor() const { return cursor.get(); }

    // The profile list that decides whether Cancel is allowed; the game's own unless another was set.
    ZoProfileManager& Profiles() const;
    void SetProfiles(ZoProfileManager* profiles) { profiles_ = profiles; }

    std::unique_ptr<ZoClip> cursor;
    std::string text;
    std::int32_t inputWidth = 0;
    ZoVector okPosition;
    ZoVector cancelPosition;
    ZoVector textPosition;

private:
    ZoProfileManager* profiles_ = nullptr;
};
