#include "ZoButton.h"

#include "ZoGuiSound.h"

ZoButton::ZoButton() {
    kind = kKindPushButton;
    captionAlignment = 1;
}

bool ZoButton::LoadImage(const std::string& pictureName) {
    const bool loaded = LoadClip(pictureName, pixelTest, 512, 3);
    SetFrame(0);
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

// The release itself is not tested: a highlighted button that receives it counts as clicked.
bool ZoButton::MouseUp(const ZoInputEvent&) {
    if (!highlighted) {
        return false;
    }
    ZoGuiSound::Play(clickSound);
    Unhighlight();
    OnUnhighlight();
    return true;
}

void ZoButton::OnHighlight() {
    SetFrame(1);
}

void ZoButton::OnUnhighlight() {
    SetFrame(0);
}

void ZoButton::Draw() {
    // Hover changes and panel openings reset the frame to 0; a disabled button must still look disabled.
    if (disabled) {
        SetFrame(2);
    }
    ZoBaseGuiElemen::Draw();
}
