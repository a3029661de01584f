#include "ZoProgressBar.h"

#include <algorithm>

ZoProgressBar::ZoProgressBar() : background_(std::make_unique<ZoClip>()), line_(std::make_unique<ZoImage>()) {
    background_->Load(kBackgroundName, false);
    background_->Animation().Setup(1, AnimNone, 1, 1);
    line_->Load(kLineName, false);
}

std::int32_t ZoProgressBar::LineWidth() const {
    // Out-of-range values would draw outside the picture; the bar is simply empty or full then.
    const std::int32_t clamped = std::clamp(percent, 0, 100);
    return static_cast<std::int32_t>(static_cast<float>(line_->Width()) * static_cast<float>(clamped) /
                                     100.0f);
}

void ZoProgressBar::Draw() {
    background_->SetPosition(position.x, position.y);
    line_->SetPosition(position.x, position.y);
    background_->Draw();
    const std::int32_t width = LineWidth();
    if (width > 0)
        line_->DrawPart(ZoRect{0, 0, width, line_->Height()});
}
