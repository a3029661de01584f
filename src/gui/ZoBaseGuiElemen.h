// The base of every widget: one picture, an optional caption, highlight and disabled states.
#pragma once

#include "ZoClip.h"
#include "ZoInputEvent.h"

#include <cstdint>
#include <memory>
#include <string>

class ZoBaseGuiElemen {
public:
    // Kinds the panel treats specially; plain pictures and check-box groups carry kKindOther.
    static constexpr std::int32_t kKindPushButton = 0;
    static constexpr std::int32_t kKindOther = 1;
    static constexpr std::int32_t kKindSlider = 2;
    static constexpr std::int32_t kKindProfileButton = 3;
    static constexpr std::int32_t kNoCaption = -1;

    ZoBaseGuiElemen() = default;
    virtual ~ZoBaseGuiElemen() = default;
    ZoBaseGuiElemen(const ZoBaseGuiElemen&) = delete;
    ZoBaseGuiElemen& operator=(const ZoBaseGuiElemen&) = delete;

    // Mouse handlers: true when the event concerned this widget.
    virtual bool MouseDown(const ZoInputEvent& event);
    virtual bool MouseUp(const ZoInputEvent& event);
    virtual bool MouseMove(const ZoInputEvent& event);
    virtual void Toggle() {}
    virtual std::int32_t GetValue() const { return 0; }
    virtual void Highlight() { highlighted = true; }
    virtual void Unhighlight() { highlighted = false; }
    // Picture reactions to the highlight.
    virtual void OnHighlight() {}
    virtual void OnUnhighlight() {}
    virtual void Hook() {}
    virtual void Decrease() {}
    virtual void Increase() {}
    // Called by the panel after it has sent this widget's command.
    virtual void AfterPress() {}
    // Creates the picture; false when it could not be loaded (the empty clip stays).
    virtual bool LoadImage(const std::string& pictureName);
    virtual bool HitTest(const ZoInputEvent& event);
    virtual void Draw();

    void Enable();
    void Disable();
    // Frame of the picture, when there is one.
    void SetFrame(std::int32_t frame);
    void SetColour(float r, float g, float b, float a);
    ZoClip* Image() const { return image.get(); }

    // The rectangle test of buttons and check boxes: strictly inside the current frame.
    bool InsideRectangle(const ZoVector& point) const;

    std::unique_ptr<ZoClip> image;
    bool highlighted = false;
    bool pixelTest = false;
    bool disabled = false;
    std::string name;
    std::int32_t kind = kKindOther;
    float red = 255.0f;
    float green = 255.0f;
    float blue = 255.0f;
    float alpha = 255.0f;
    std::int32_t captionSwitch = kNoCaption;
    std::string caption;
    std::int32_t captionAlignment = 1;
    std::int32_t focusSound = 1;
    std::int32_t clickSound = 2;

protected:
    // Creates the clip, loads it and sets up its frame grid; false when no picture arrived.
    bool LoadClip(const std::string& pictureName, bool masks, std::int32_t totalTime, std::int32_t rows);
    // The image with the widget colour.
    void DrawImage();
    // The caption in font 0 at (x, y), aligned as DrawText aligns.
    void DrawCaption(std::int32_t x, std::int32_t y, std::int32_t alignment);
    // The caption, when switched on, where the base draw puts it beside the picture.
    void DrawLabel();
};
