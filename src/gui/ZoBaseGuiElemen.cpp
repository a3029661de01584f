#include "ZoBaseGuiElemen.h"

#include "ZoBitmapFont.h"
#include "ZoTruncate.h"

bool ZoBaseGuiElemen::MouseDown(const ZoInputEvent&) {
    return false;
}

bool ZoBaseGuiElemen::MouseUp(const ZoInputEvent&) {
    return false;
}

bool ZoBaseGuiElemen::MouseMove(const ZoInputEvent&) {
    return false;
}

bool ZoBaseGuiElemen::LoadImage(const std::string& pictureName) {
    return LoadClip(pictureName, false, 1, 1);
}

bool ZoBaseGuiElemen::LoadClip(const std::string& pictureName, bool masks, std::int32_t totalTime,
                               std::int32_t rows) {
    image = std::make_unique<ZoClip>();
    image->Load(pictureName, masks);
    // The clip always takes the name; only a picture with a size has really arrived.
    if (image->Width() <= 0) {
        return false;
    }
    image->Animation().Setup(totalTime, AnimNone, 1, rows);
    return true;
}

bool ZoBaseGuiElemen::HitTest(const ZoInputEvent&) {
    return false;
}

void ZoBaseGuiElemen::Draw() {
    if (image != nullptr) {
        if (!disabled) {
            image->SetFrame(highlighted ? 1 : 0);
        }
        DrawImage();
    }
    DrawLabel();
}

void ZoBaseGuiElemen::DrawLabel() {
    if (captionSwitch == kNoCaption) {
        return;
    }
    const float x = image != nullptr ? image->position.x : 0.0f;
    const float y = image != nullptr ? image->position.y : 0.0f;
    DrawCaption(TruncateToInt(x - 16.0f - 4.0f), TruncateToInt(y - 3.0f), captionAlignment);
}

void ZoBaseGuiElemen::Enable() {
    SetFrame(0);
    disabled = false;
}

void ZoBaseGuiElemen::Disable() {
    SetFrame(2);
    disabled = true;
}

void ZoBaseGuiElemen::SetFrame(std::int32_t frame) {
    if (image != nullptr) {
        image->SetFrame(frame);
    }
}

void ZoBaseGuiElemen::SetColour(float r, float g, float b, float a) {
    red = r;
    green = g;
    blue = b;
    alpha = a;
}

bool ZoBaseGuiElemen::InsideRectangle(const ZoVector& point) const {
    if (image == nullptr) {
        return false;
    }
    const float halfWidth = static_cast<float>(image->Width() / 2);
    const float halfHeight = static_cast<float>(image->FrameHeight() / 2);
    const ZoVector& at = image->position;
    return at.x - halfWidth < point.x && point.x < at.x + halfWidth && at.y - halfHeight < point.y &&
           point.y < at.y + halfHeight;
}

void ZoBaseGuiElemen::DrawImage() {
    image->SetColour(red, green, blue, alpha);
    image->Draw();
}

void ZoBaseGuiElemen::DrawCaption(std::int32_t x, std::int32_t y, std::int32_t alignment) {
    ZoBitmapFont* font = ZoFontRegistry::Instance().Get(0);
    if (font == nullptr) {
        return;
    }
    font->SetColour(red, green, blue, alpha);
    font->DrawText(x, y, caption.c_str(), alignment);
}
