#include "ZoSlider.h"

#include "ZoGuiSound.h"

ZoSlider::ZoSlider() {
    kind = kKindSlider;
}

bool ZoSlider::Create(const std::string& barName, const std::string& thumbName, std::int32_t minimumValue,
                      std::int32_t maximumValue, std::int32_t stepValue) {
    minimum = minimumValue;
    maximum = maximumValue;
    step = stepValue;
    if (!LoadClip(barName, false, 1024, 2)) {
        return false;
    }
    thumb = std::make_unique<ZoClip>();
    thumb->Load(thumbName, false);
    if (thumb->Width() <= 0) {
        return false;
    }
    thumb->Animation().Setup(1024, AnimNone, 1, 2);
    return true;
}

std::int32_t ZoSlider::TrackWidth() const {
    return (image != nullptr ? image->Width() : 0) - margin;
}

float ZoSlider::TrackLeft() const {
    return (image != nullptr ? image->position.x : 0.0f) - static_cast<float>(TrackWidth() / 2);
}

std::int32_t ZoSlider::ValueAt(float x) const {
    const std::int32_t width = TrackWidth();
    // Without a track there is nowhere to point at.
    if (width <= 0) {
        return minimum;
    }
    const double exact = (static_cast<double>(x) - TrackLeft()) * maximum / width;
    std::int32_t result;
    if (exact >= maximum) {
        result = maximum;
    } else if (exact <= minimum) {
        result = minimum;
    } else {
        result = static_cast<std::int32_t>(exact);
    }
    if (result < minimum) {
        result = minimum;
    }
    if (result > maximum) {
        result = maximum;
    }
    return result;
}

float ZoSlider::ThumbX() const {
    if (maximum == 0) {
        return TrackLeft();
    }
    return TrackLeft() +
           static_cast<float>(TrackWidth()) / static_cast<float>(maximum) * static_cast<float>(value);
}

bool ZoSlider::HitTest(const ZoInputEvent& event) {
    if (image == nullptr) {
        return false;
    }
    const ZoVector& point = event.eventPosition;
    const float halfHeight = static_cast<float>(image->FrameHeight() / 2);
    return TrackLeft() < point.x && point.x < image->position.x + static_cast<float>(TrackWidth() / 2) &&
           image->position.y - halfHeight < point.y && point.y < image->position.y + halfHeight;
}

bool ZoSlider::MouseDown(const ZoInputEvent& event) {
    if (!HitTest(event)) {
        return false;
    }
    Highlight();
    OnHighlight();
    if (event.message == ZoInputEvent::kLeftButtonDown) {
        value = ValueAt(event.eventPosition.x);
    }
    ZoGuiSound::Play(clickSound);
    return true;
}

bool ZoSlider::MouseMove(const ZoInputEvent& event) {
    if (highlighted) {
        value = ValueAt(event.eventPosition.x);
    }
    return highlighted;
}

bool ZoSlider::MouseUp(const ZoInputEvent&) {
    if (!highlighted) {
        return false;
    }
    Unhighlight();
    OnUnhighlight();
    return true;
}

void ZoSlider::OnHighlight() {
    SetFrame(1);
    if (thumb != nullptr) {
        thumb->SetFrame(1);
    }
}

void ZoSlider::OnUnhighlight() {
    SetFrame(0);
    if (thumb != nullptr) {
        thumb->SetFrame(0);
    }
}

void ZoSlider::Decrease() {
    value -= step;
    if (value < minimum) {
        value = minimum;
    }
    ZoGuiSound::Play(clickSound);
}

void ZoSlider::Increase() {
    ZoGuiSound::Play(clickSound);
    value += step;
    if (value > maximum) {
        value = maximum;
    }
}

void ZoSlider::Draw() {
    ZoBaseGuiElemen::Draw();
    if (thumb == nullptr || image == nullptr) {
        return;
    }
    thumb->SetColour(red, green, blue, alpha);
    thumb->position.y = image->position.y;
    thumb->position.x = ThumbX();
    thumb->Draw();
}
