#include "ZoPanel.h"

#include "PlatformEvents.h"
#include "ZoButton.h"
#include "ZoCheckBoxGroup.h"
#include "ZoGuiSound.h"
#include "ZoPanelHost.h"
#include "ZoRenderDevice.h"
#include "ZoTruncate.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kScreenCentreX = static_cast<float>(ZoRenderDevice::kScreenWidth / 2);
constexpr float kScreenCentreY = static_cast<float>(ZoRenderDevice::kScreenHeight / 2);
} // namespace

bool ZoPanel::Create(const std::string& pictureName) {
    background = std::make_unique<ZoClip>();
    background->Load(pictureName, false);
    if (background->Width() <= 0) {
        return false;
    }
    background->Animation().Setup(1, AnimNone, 1, 1);
    position = ZoVector(kScreenCentreX, kScreenCentreY, 0.0f);
    overlay = std::make_unique<ZoClip>();
    overlay->Load("Interface/Fade", false);
    if (overlay->Width() <= 0) {
        return false;
    }
    overlay->Animation().Setup(1, AnimNone, 1, 1);
    overlay->position = ZoVector(kScreenCentreX, kScreenCentreY, 0.0f);
    overlay->scale = 25.0f;
    overlay->SetColour(255.0f, 255.0f, 255.0f, 64.0f);
    Init();
    return true;
}

void ZoPanel::Update(std::int32_t elapsed) {
    std::int32_t step =
        TruncateToInt(static_cast<float>(TruncateToInt(static_cast<float>(elapsed) * 2.0f)) * 0.5f);
    if (step < 1) {
        step = 1;
    }
    switch (state) {
    case Opening:
        alpha += static_cast<float>(step);
        if (alpha > 255.0f) {
            state = Steady;
            alpha = 255.0f;
        }
        break;
    case Closing:
        alpha -= static_cast<float>(step);
        if (alpha < 0.0f) {
            alpha = 0.0f;
            state = Steady;
            if (owner != nullptr) {
                owner->RemoveClosedPanel(this);
            }
        }
        break;
    default:
        alpha = 255.0f;
        break;
    }
}

void ZoPanel::ResetWidgets() {
    for (auto& widget : widgets) {
        widget->Unhighlight();
        widget->OnUnhighlight();
        widget->SetFrame(0);
    }
}

void ZoPanel::Open() {
    focused_ = nullptr;
    ResetWidgets();
    focusPosition = 0;
    dragging = false;
    ZoGuiSound::Play(ZoGuiSound::kOpenDialog);
    SetColour(255.0f, 255.0f, 255.0f, 0.0f);
    state = Opening;
}

void ZoPanel::Close() {
    ZoGuiSound::Play(ZoGuiSound::kCloseDialog);
    SetColour(255.0f, 255.0f, 255.0f, 255.0f);
    state = Closing;
    // A disabled OK or Cancel is ready again for the next opening.
    if (defaultButton != nullptr) {
        defaultButton->Enable();
    }
    if (cancelButton != nullptr) {
        cancelButton->Enable();
    }
}

bool ZoPanel::OnKey(const ZoInputEvent& event) {
    if (event.key != kEscapeKey) {
        return false;
    }
    if (cancelButton != nullptr && !cancelButton->disabled) {
        Press(cancelButton);
    }
    return true;
}

bool ZoPanel::HandleInput(const ZoInputEvent& event) {
    if (OnKey(event) || Navigate(event)) {
        return true;
    }
    for (auto& owned : widgets) {
        ZoBaseGuiElemen* widget = owned.get();
        const bool slider = widget->kind == ZoBaseGuiElemen::kKindSlider;
        // While a slider is dragged only sliders hear moves and releases.
        const bool heard = !dragging || slider;
        switch (event.message) {
        case ZoInputEvent::kMouseMove:
            if (heard && widget->MouseMove(event)) {
                FocusOnly(widget);
                if (widget->highlighted && slider) {
                    Press(widget);
                }
                return true;
            }
            break;
        case ZoInputEvent::kLeftButtonDown:
            if (widget->MouseDown(event)) {
                if (slider) {
                    dragging = true;
                }
                Press(widget);
                widget->AfterPress();
                return true;
            }
            break;
        case ZoInputEvent::kLeftButtonUp:
            if (heard && widget->MouseUp(event)) {
                if (slider) {
                    dragging = false;
                }
                Press(widget);
                widget->AfterPress();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return AnyHighlighted();
}

void ZoPanel::SelectElement(ZoBaseGuiElemen* widget) {
    for (auto& other : widgets) {
        if (other->kind == ZoBaseGuiElemen::kKindSlider) {
            dragging = false;
        }
        other->Unhighlight();
        other->OnUnhighlight();
        other->SetFrame(0);
    }
    if (widget == nullptr) {
        return;
    }
    if (widget->kind == ZoBaseGuiElemen::kKindSlider) {
        dragging = true;
    }
    widget->Highlight();
    widget->OnHighlight();
}

void ZoPanel::FocusOnly(ZoBaseGuiElemen* widget) {
    for (auto& other : widgets) {
        if (other.get() != widget && other->kind == ZoBaseGuiElemen::kKindPushButton) {
            other->Unhighlight();
            other->SetFrame(0);
        }
    }
}

ZoBaseGuiElemen* ZoPanel::GetHighlighted() const {
    for (const auto& widget : widgets) {
        if (widget->highlighted) {
            return widget.get();
        }
    }
    return nullptr;
}

bool ZoPanel::AnyHighlighted() const {
    return GetHighlighted() != nullptr;
}

void ZoPanel::Draw() {
    if (overlay != nullptr && drawOverlay) {
        overlay->SetColour(red, green, blue, alpha);
        overlay->Draw();
    }
    if (background != nullptr) {
        background->SetColour(red, green, blue, alpha);
        background->position = position;
        background->Draw();
    }
    for (auto& widget : widgets) {
        widget->SetColour(red, green, blue, alpha);
        widget->Draw();
    }
}

ZoBaseGuiElemen* ZoPanel::AddElement(const std::string& widgetName, std::unique_ptr<ZoBaseGuiElemen> widget) {
    if (widget == nullptr) {
        return nullptr;
    }
    widget->name = widgetName;
    // A group sends its own name again after each press, so it must know it.
    if (auto* group = dynamic_cast<ZoCheckBoxGroup*>(widget.get());
        group != nullptr && group->ownName.empty()) {
        group->ownName = widgetName;
    }
    widgets.push_back(std::move(widget));
    focusPosition = 0;
    return widgets.back().get();
}

ZoBaseGuiElemen* ZoPanel::AddDefaultButton(const std::string& widgetName,
                                           std::unique_ptr<ZoBaseGuiElemen> widget) {
    defaultButton = AddElement(widgetName, std::move(widget));
    return defaultButton;
}

ZoBaseGuiElemen* ZoPanel::AddCancelButton(const std::string& widgetName,
                                          std::unique_ptr<ZoBaseGuiElemen> widget) {
    cancelButton = AddElement(widgetName, std::move(widget));
    return cancelButton;
}

ZoButton* ZoPanel::AddButton(const std::string& pictureName, float px, float py,
                             const std::string& widgetName, std::int32_t role) {
    auto button = std::make_unique<ZoButton>();
    ZoButton* result = button.get();
    button->LoadImage(pictureName);
    PlaceElement(px, py, result);
    switch (role) {
    case kRoleDefault:
        AddDefaultButton(widgetName, std::move(button));
        break;
    case kRoleCancel:
        AddCancelButton(widgetName, std::move(button));
        break;
    default:
        AddElement(widgetName, std::move(button));
        break;
    }
    return result;
}

ZoVector ZoPanel::PanelPoint(float px, float py) const {
    if (background != nullptr && background->Width() > 0) {
        const float width = static_cast<float>(background->Width());
        const float height = static_cast<float>(background->Height());
        return ZoVector(position.x + static_cast<float>(TruncateToInt(width * px / 100.0f)) - width * 0.5f,
                        position.y + static_cast<float>(TruncateToInt(height * py / 100.0f)) - height * 0.5f,
                        0.0f);
    }
    return ZoVector(position.x + static_cast<float>(TruncateToInt(
                                     static_cast<float>(ZoRenderDevice::kScreenWidth) * px / 100.0f)),
                    position.y + static_cast<float>(TruncateToInt(
                                     static_cast<float>(ZoRenderDevice::kScreenHeight) * py / 100.0f)),
                    0.0f);
}

void ZoPanel::PlaceElement(float px, float py, ZoBaseGuiElemen* widget) {
    if (widget == nullptr || widget->image == nullptr) {
        return;
    }
    const ZoVector point = PanelPoint(px, py);
    widget->image->position.x = point.x;
    widget->image->position.y = point.y;
}

void ZoPanel::PlaceElementByName(float px, float py, const std::string& widgetName) {
    PlaceElement(px, py, FindElement(widgetName));
}

ZoBaseGuiElemen* ZoPanel::FindElement(const std::string& widgetName) const {
    for (const auto& widget : widgets) {
        if (widget->name == widgetName) {
            return widget.get();
        }
    }
    return nullptr;
}

void ZoPanel::Press(ZoBaseGuiElemen* widget) {
    if (owner == nullptr || widget == nullptr) {
        return;
    }
    owner->pendingCommand = widget->name;
    owner->sender = widget;
}

// ---- keys and pads ----

namespace {

enum class Step { None, Left, Right, Up, Down, Activate, Back };

struct Binding {
    std::int32_t message;
    std::uint8_t key; // virtual-key code, or pad button
    Step step;
};

// Arrows and Return; the pad's cross, A and Start, B and Back.
namespace Key = PlatformVirtualKey;
namespace Pad = PlatformPadButton;
constexpr std::int32_t kKeyDown = ZoInputEvent::kKeyDown, kPadDown = ZoInputEvent::kPadButtonDown;
constexpr Binding kBindings[] = {
    {kKeyDown, Key::kLeft, Step::Left},     {kKeyDown, Key::kUp, Step::Up},
    {kKeyDown, Key::kRight, Step::Right},   {kKeyDown, Key::kDown, Step::Down},
    {kKeyDown, Key::kReturn, Step::Activate}, {kPadDown, Pad::kA, Step::Activate},
    {kPadDown, Pad::kStart, Step::Activate}, {kPadDown, Pad::kB, Step::Back},
    {kPadDown, Pad::kBack, Step::Back},     {kPadDown, Pad::kUp, Step::Up},
    {kPadDown, Pad::kDown, Step::Down},     {kPadDown, Pad::kLeft, Step::Left},
    {kPadDown, Pad::kRight, Step::Right},
};

Step StepOf(const ZoInputEvent& event, bool arrowKeys) {
    for (const Binding& binding : kBindings) {
        if (binding.message == event.message && binding.key == event.key) {
            const bool arrow = event.message == ZoInputEvent::kKeyDown && binding.step != Step::Activate;
            return arrow && !arrowKeys ? Step::None : binding.step;
        }
    }
    return Step::None;
}

ZoVector CentreOf(const ZoBaseGuiElemen& widget) {
    return widget.image != nullptr ? widget.image->position : ZoVector();
}

// Profile buttons show the active player with their highlight; their focus is only the lit picture.
void ShowFocus(ZoBaseGuiElemen& widget, bool on) {
    if (widget.kind == ZoBaseGuiElemen::kKindProfileButton) {
        if (on) {
            widget.OnHighlight();
        } else if (!widget.highlighted) {
            widget.OnUnhighlight();
        }
        return;
    }
    if (on) {
        widget.Highlight();
        widget.OnHighlight();
    } else {
        widget.Unhighlight();
        widget.OnUnhighlight();
    }
    // The focus sound has been heard already: a press of the focused button must not repeat it.
    if (auto* button = dynamic_cast<ZoButton*>(&widget)) {
        button->hoverLatch = on ? 1 : 0;
    }
}

} // namespace

std::vector<ZoBaseGuiElemen*> ZoPanel::Reachable() const {
    std::vector<ZoBaseGuiElemen*> reachable;
    std::vector<std::string> commands;
    const auto consider = [&](ZoBaseGuiElemen* widget) {
        if (widget->image == nullptr || widget->disabled) {
            return;
        }
        if (widget->kind == ZoBaseGuiElemen::kKindPushButton) {
            // A second button sending the same command (the player greeting and its invitation) is skipped.
            if (std::find(commands.begin(), commands.end(), widget->name) != commands.end()) {
                return;
            }
            commands.push_back(widget->name);
        } else if (widget->kind != ZoBaseGuiElemen::kKindSlider &&
                   widget->kind != ZoBaseGuiElemen::kKindProfileButton) {
            return;
        }
        reachable.push_back(widget);
    };
    for (const auto& widget : widgets) {
        if (auto* group = dynamic_cast<ZoCheckBoxGroup*>(widget.get())) {
            for (const auto& box : group->Boxes()) {
                consider(box.get());
            }
        } else {
            consider(widget.get());
        }
    }
    return reachable;
}

ZoBaseGuiElemen* ZoPanel::Focused() const {
    // Widgets come and go (the players list is rebuilt): a focus on one that left is no focus.
    const std::vector<ZoBaseGuiElemen*> reachable = Reachable();
    return std::find(reachable.begin(), reachable.end(), focused_) != reachable.end() ? focused_ : nullptr;
}

void ZoPanel::DropFocus() {
    if (Focused() != nullptr) {
        ShowFocus(*Focused(), false);
    }
    focused_ = nullptr;
}

void ZoPanel::SetFocus(ZoBaseGuiElemen* widget) {
    ZoBaseGuiElemen* old = Focused();
    if (old != nullptr && old != widget) {
        ShowFocus(*old, false);
    }
    focused_ = widget;
    if (widget != nullptr) {
        // Whatever the mouse had lit goes dark: one widget shows where the keys are.
        FocusOnly(widget);
        ShowFocus(*widget, true);
        if (widget != old) {
            ZoGuiSound::Play(widget->focusSound);
        }
    }
}

void ZoPanel::MoveFocus(float dx, float dy) {
    const std::vector<ZoBaseGuiElemen*> reachable = Reachable();
    ZoBaseGuiElemen* current = Focused();
    if (current == nullptr) {
        // The first step lands on the default button, or else on the widget nearest the top left.
        if (std::find(reachable.begin(), reachable.end(), defaultButton) != reachable.end()) {
            SetFocus(defaultButton);
            return;
        }
        const auto topLeft = [](const ZoBaseGuiElemen* a, const ZoBaseGuiElemen* b) {
            return CentreOf(*a).y + CentreOf(*a).x * 0.25f < CentreOf(*b).y + CentreOf(*b).x * 0.25f;
        };
        const auto first = std::min_element(reachable.begin(), reachable.end(), topLeft);
        SetFocus(first != reachable.end() ? *first : nullptr);
        return;
    }
    // Up and down go to the nearest row that way, to its widget most in line; left and right to the nearest
    // widget roughly in that direction (the menu's column of buttons is staggered).
    const ZoVector from = CentreOf(*current);
    const auto along = [&](const ZoBaseGuiElemen* w) {
        return (CentreOf(*w).x - from.x) * dx + (CentreOf(*w).y - from.y) * dy;
    };
    const auto across = [&](const ZoBaseGuiElemen* w) {
        return std::fabs((CentreOf(*w).x - from.x) * dy - (CentreOf(*w).y - from.y) * dx);
    };
    constexpr float kSameRow = 12.0f;
    float nearestRow = 1e9f;
    for (const ZoBaseGuiElemen* widget : reachable) {
        if (along(widget) >= 4.0f) {
            nearestRow = std::min(nearestRow, along(widget));
        }
    }
    ZoBaseGuiElemen* best = nullptr;
    float bestCost = 0.0f;
    for (ZoBaseGuiElemen* widget : reachable) {
        const float a = along(widget);
        const bool ahead =
            dy != 0.0f ? a >= 4.0f && a <= nearestRow + kSameRow : a >= 4.0f && across(widget) <= a * 0.5f;
        const float cost = dy != 0.0f ? across(widget) : a + across(widget);
        if (ahead && (best == nullptr || cost < bestCost)) {
            best = widget;
            bestCost = cost;
        }
    }
    if (best != nullptr) {
        SetFocus(best);
    }
}

void ZoPanel::ClickFocused() {
    ZoBaseGuiElemen* widget = Focused();
    if (widget == nullptr) {
        return;
    }
    ZoInputEvent click;
    click.device = ZoInputEvent::kDeviceMouse;
    click.eventPosition = CentreOf(*widget);
    click.position = click.eventPosition;
    clicking_ = true;
    for (std::int32_t message :
         {ZoInputEvent::kMouseMove, ZoInputEvent::kLeftButtonDown, ZoInputEvent::kLeftButtonUp}) {
        click.message = message;
        click.releasedButton = message == ZoInputEvent::kLeftButtonUp ? ZoInputEvent::kReleasedLeft : 0;
        HandleInput(click);
    }
    clicking_ = false;
    // The focus stays where it was, to press it again or walk on from it.
    if (Focused() == widget) {
        SetFocus(widget);
    }
}

bool ZoPanel::PressIfEnabled(ZoBaseGuiElemen* widget) {
    if (widget == nullptr || widget->disabled) {
        return false;
    }
    ZoGuiSound::Play(widget->clickSound);
    Press(widget);
    return true;
}

bool ZoPanel::Navigate(const ZoInputEvent& event) {
    if (event.device == ZoInputEvent::kDeviceMouse) {
        // The mouse is back: the focus goes, so a focused slider does not follow the pointer.
        if (!clicking_) {
            DropFocus();
        }
        return false;
    }
    ZoBaseGuiElemen* current = Focused();
    const Step step = StepOf(event, arrowKeysWalk);
    switch (step) {
    case Step::None:
        return false;
    case Step::Back:
        PressIfEnabled(cancelButton);
        return true;
    case Step::Activate:
        if (current != nullptr) {
            // A slider is moved with left and right, never clicked to its middle.
            if (current->kind != ZoBaseGuiElemen::kKindSlider) {
                ClickFocused();
            }
        } else if (!PressIfEnabled(defaultButton)) {
            // Nothing to press yet: the press shows where the keys are instead of doing nothing.
            MoveFocus(0.0f, 1.0f);
        }
        return true;
    case Step::Left:
    case Step::Right:
        // Left and right move a focused slider's knob, and the volume follows at once.
        if (current != nullptr && current->kind == ZoBaseGuiElemen::kKindSlider) {
            if (step == Step::Left) {
                current->Decrease();
            } else {
                current->Increase();
            }
            Press(current);
            return true;
        }
        MoveFocus(step == Step::Left ? -1.0f : 1.0f, 0.0f);
        return true;
    case Step::Up:
    case Step::Down:
        MoveFocus(0.0f, step == Step::Up ? -1.0f : 1.0f);
        return true;
    }
    return false;
}
