#include "ZoButton.h"

#include "ZoGuiSound.h"

ZoButton::ZoButton() {
    kind = kKindPushButton;
    captionAlignment = 1;
}

bool ZoButton::LoadImage(const std::string& pictureName) {
    const bool loaded = LoadClip(pictureName, pixelTest, 512, kFrameCount);
    SetFrame(kFrameNormal);
    return loaded;
}

bool ZoButton::HitTest(const ZoInputEvent& event) {
    if (disabled || !InsideRectangle(event.eventPosition)) {
        return false;
    }
    return !pixelTest || image->HitTest(event.eventPosition, 2);
}

bool ZoButton::MouseMove(const ZoInputEvent& event) {
    if (HitTest(event)) {
        if (hoverLatch == 0) {
            ZoGuiSound::Play(focusSound);
            hoverLatch = 1;
        }
        Highlight();
        OnHighlight();
        return true;
    }
    hoverLatch = 0;
    Unhighlight();
    OnUnhighlight();
    return false;
}

// Tested where it happens, so a second click without moving the mouse counts like the first.
bool ZoButton::MouseDown(const ZoInputEvent& event) {
    if (!HitTest(event)) {
        return false;
    }
    Highlight();
    pressed = true;
    OnHighlight();
    return false;
}

bool ZoButton::MouseUp(const ZoInputEvent& event) {
    const bool clicked = highlighted && HitTest(event);
    pressed = false;
    if (!clicked) {
        return false;
    }
    ZoGuiSound::Play(clickSound);
    Unhighlight();
    OnUnhighlight();
    return true;
}

void ZoButton::Unhighlight() {
    ZoBaseGuiElemen::Unhighlight();
    pressed = false;
}

void ZoButton::OnHighlight() {
    SetFrame(pressed ? kFramePressed : kFrameHighlighted);
}

void ZoButton::OnUnhighlight() {
    SetFrame(kFrameNormal);
}

void ZoButton::Draw() {
    // Hover changes and panel openings reset the frame; a disabled button must still look disabled.
    if (image != nullptr) {
        if (disabled) {
            image->SetFrame(kFrameDisabled);
        } else if (highlighted) {
            image->SetFrame(pressed ? kFramePressed : kFrameHighlighted);
        } else {
            image->SetFrame(kFrameNormal);
        }
        DrawImage();
    }
    DrawLabel();
}
