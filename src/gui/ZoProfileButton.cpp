#include "ZoProfileButton.h"

#include "ZoGuiSound.h"
#include "ZoTruncate.h"

ZoProfileButton::ZoProfileButton() {
    kind = kKindProfileButton;
}

bool ZoProfileButton::MouseDown(const ZoInputEvent&) {
    return false;
}

// A selected button stays as it is; others light up under the mouse, silently.
bool ZoProfileButton::MouseMove(const ZoInputEvent& event) {
    if (highlighted) {
        return false;
    }
    if (HitTest(event)) {
        OnHighlight();
        return true;
    }
    OnUnhighlight();
    return false;
}

bool ZoProfileButton::MouseUp(const ZoInputEvent& event) {
    if (!HitTest(event)) {
        return false;
    }
    ZoGuiSound::Play(ZoGuiSound::kClick);
    Highlight();
    OnUnhighlight();
    return true;
}

void ZoProfileButton::Draw() {
    if (image == nullptr) {
        return;
    }
    // The active player keeps its own look whatever the mouse does.
    if (highlighted) {
        image->SetFrame(kFrameSelected);
    }
    DrawImage();
    if (captionSwitch != kNoCaption) {
        DrawCaption(TruncateToInt(image->position.x), TruncateToInt(image->position.y), captionAlignment);
    }
}
