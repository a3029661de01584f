#include "ZoPanel.h"

#include "ZoButton.h"
#include "ZoCheckBoxGroup.h"
#include "ZoGuiSound.h"
#include "ZoPanelHost.h"
#include "ZoRenderDevice.h"
#include "ZoTruncate.h"

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
    if (OnKey(event)) {
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
