#include "ZoCheckBox.h"

#include "ZoGuiSound.h"

bool ZoCheckBox::LoadImage(const std::string& pictureName) {
    const bool loaded = LoadClip(pictureName, pixelTest, 512, 4);
    SetFrame(0);
    return loaded;
}

bool ZoCheckBox::HitTest(const ZoInputEvent& event) {
    return InsideRectangle(event.eventPosition);
}

bool ZoCheckBox::MouseDown(const ZoInputEvent&) {
    if (highlighted) {
        ZoGuiSound::Play(clickSound);
    }
    return false;
}

bool ZoCheckBox::MouseUp(const ZoInputEvent& event) {
    if (!HitTest(event)) {
        return false;
    }
    Toggle();
    return true;
}

void ZoCheckBox::Draw() {
    if (image == nullptr) {
        return;
    }
    const std::int32_t lit = highlighted ? 1 : 0;
    image->SetFrame(checked ? 2 + lit : lit);
    DrawImage();
}
