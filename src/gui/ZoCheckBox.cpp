#include "ZoCheckBox.h"

#include "ZoBitmapFont.h"
#include "ZoGuiSound.h"
#include "ZoTruncate.h"

bool ZoCheckBox::LoadImage(const std::string& pictureName) {
    const bool loaded = LoadClip(pictureName, pixelTest, 512, 4);
    SetFrame(0);
    return loaded;
}

void ZoCheckBox::LabelSpan(float& left, float& right) const {
    left = right = 0.0f;
    const ZoBitmapFont* font = ZoFontRegistry::Instance().Get(0);
    if (image == nullptr || font == nullptr || captionSwitch == kNoCaption || caption.empty()) {
        return;
    }
    const float half = static_cast<float>(image->Width() / 2);
    const float width = static_cast<float>(font->MeasureText(caption));
    if (captionAlignment == ZoBitmapFont::kAlignRight) {
        right = image->position.x - half - static_cast<float>(kLabelGap);
        left = right - width;
    } else {
        left = image->position.x + half + static_cast<float>(kLabelGap);
        right = left + width;
    }
}

// The label counts as part of the box: players click the word as often as the square.
bool ZoCheckBox::HitTest(const ZoInputEvent& event) {
    if (InsideRectangle(event.eventPosition)) {
        return true;
    }
    float left = 0.0f;
    float right = 0.0f;
    LabelSpan(left, right);
    const ZoVector& point = event.eventPosition;
    const float halfHeight = static_cast<float>(image != nullptr ? image->FrameHeight() / 2 : 0);
    return left < point.x && point.x < right && image->position.y - halfHeight < point.y &&
           point.y < image->position.y + halfHeight;
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
    float left = 0.0f;
    float right = 0.0f;
    LabelSpan(left, right);
    if (right > left) {
        DrawCaption(TruncateToInt(left), TruncateToInt(image->position.y), ZoBitmapFont::kAlignLeft);
    }
}
