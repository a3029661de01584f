// A screen layer of the interface: background, darkening overlay, widgets, fade in and out.
#pragma once

#include "ZoBaseGuiElemen.h"
#include "ZoClip.h"
#include "ZoInputEvent.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ZoButton;
class ZoPanelHost;

class ZoPanel {
public:
    // Fade states.
    static constexpr std::int32_t Opening = 0;
    static constexpr std::int32_t Closing = 1;
    static constexpr std::int32_t Steady = 2;
    // Roles of AddButton.
    static constexpr std::int32_t kRoleDefault = 0;
    static constexpr std::int32_t kRoleCancel = 1;
    static constexpr std::int32_t kRolePlain = 2;
    static constexpr std::int32_t kEscapeKey = 27;

    ZoPanel() = default;
    virtual ~ZoPanel() = default;
    ZoPanel(const ZoPanel&) = delete;
    ZoPanel& operator=(const ZoPanel&) = delete;

    // Derived panels build their widgets here; Create calls it last.
    virtual void Init() {}
    // Background and overlay pictures, centred on the screen; false when one is missing.
    virtual bool Create(const std::string& pictureName);
    virtual void Draw();
    // The fade step.
    virtual void Update(std::int32_t elapsed);
    // Escape presses the cancel button; true for Escape whether or not it could.
    virtual bool OnKey(const ZoInputEvent& event);
    // True when the event was used (or the mouse rests on a highlighted widget).
    virtual bool HandleInput(const ZoInputEvent& event);
    virtual void Open();
    virtual void Close();
    // Keyboard-style focus: highlights widget alone.
    virtual void SelectElement(ZoBaseGuiElemen* widget);
    // Only widget keeps its highlight among the push buttons and check boxes.
    virtual void FocusOnly(ZoBaseGuiElemen* widget);
    // The first highlighted widget, or null.
    virtual ZoBaseGuiElemen* GetHighlighted() const;

    // Arrows and Return, or a pad's cross and buttons, walk the widgets with a visible focus and press
    // them (B and Back as Escape); the mouse takes over again as soon as it is used. True when the event
    // was one of those keys or buttons.
    bool Navigate(const ZoInputEvent& event);
    // The focus goes dark; the next arrow press shows it again.
    void DropFocus();
    // The widget the keys or the pad have focused, or null.
    ZoBaseGuiElemen* Focused() const;

    // Takes the widget under name; returns it.
    ZoBaseGuiElemen* AddElement(const std::string& widgetName, std::unique_ptr<ZoBaseGuiElemen> widget);
    ZoBaseGuiElemen* AddDefaultButton(const std::string& widgetName, std::unique_ptr<ZoBaseGuiElemen> widget);
    ZoBaseGuiElemen* AddCancelButton(const std::string& widgetName, std::unique_ptr<ZoBaseGuiElemen> widget);
    // A button with the picture at (px %, py %) of the panel, added in the given role.
    ZoButton* AddButton(const std::string& pictureName, float px, float py, const std::string& widgetName,
                        std::int32_t role);
    // Percentages of the background picture (or of the screen without one) to screen pixels.
    ZoVector PanelPoint(float px, float py) const;
    void PlaceElement(float px, float py, ZoBaseGuiElemen* widget);
    void PlaceElementByName(float px, float py, const std::string& widgetName);
    ZoBaseGuiElemen* FindElement(const std::string& widgetName) const;
    // The widget's name becomes the owner's pending command.
    void Press(ZoBaseGuiElemen* widget);
    bool AnyHighlighted() const;

    void SetColour(float r, float g, float b, float a) {
        red = r;
        green = g;
        blue = b;
        alpha = a;
    }
    const std::vector<std::unique_ptr<ZoBaseGuiElemen>>& Widgets() const { return widgets; }
    ZoClip* Background() const { return background.get(); }
    ZoClip* Overlay() const { return overlay.get(); }

    std::int32_t state = Steady;
    std::string name;
    ZoVector position;
    std::unique_ptr<ZoClip> background;
    std::unique_ptr<ZoClip> overlay;
    float red = 255.0f;
    float green = 255.0f;
    float blue = 255.0f;
    float alpha = 255.0f;
    bool drawOverlay = true;
    bool secondFlag = false;
    ZoBaseGuiElemen* defaultButton = nullptr;
    ZoBaseGuiElemen* cancelButton = nullptr;
    ZoPanelHost* owner = nullptr;
    // Whether the arrow keys walk the widgets (a text field keeps them for its text).
    bool arrowKeysWalk = true;
    std::vector<std::unique_ptr<ZoBaseGuiElemen>> widgets;
    std::size_t focusPosition = 0;
    bool dragging = false;

protected:
    // Every widget back to not highlighted and frame 0.
    void ResetWidgets();

private:
    // What the keys can reach, in the order of the widgets (the boxes of a group one by one).
    std::vector<ZoBaseGuiElemen*> Reachable() const;
    void MoveFocus(float dx, float dy);
    void SetFocus(ZoBaseGuiElemen* widget);
    // A click at the focused widget's centre, through the panel's own input handling.
    void ClickFocused();
    bool PressIfEnabled(ZoBaseGuiElemen* widget);

    ZoBaseGuiElemen* focused_ = nullptr;
    bool clicking_ = false;
};
