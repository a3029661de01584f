#include "ZoClip.h"

#include "ZoTruncate.h"

ZoClip::ZoClip() : animation_(std::make_unique<ZoAnimation>()) {}

ZoClip::ZoClip(const ZoClip& other)
    : ZoImage(other), copiedValue(other.copiedValue), animation_(std::make_unique<ZoAnimation>(*other.animation_))
{
}

ZoClip::~ZoClip() = default;

void ZoClip::Update(std::int32_t elapsed) { animation_->Update(elapsed); }

std::unique_ptr<ZoClip> ZoClip::Clone() const { return std::make_unique<ZoClip>(*this); }

void ZoClip::SetFrame(std::int32_t frame)
{
    frameSet = true;
    animation_->currentFrame = frame;
}

std::int32_t ZoClip::FrameHeight() const
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Height()) /
                                     static_cast<std::uint32_t>(animation_->rows));
}

void ZoClip::Restart()
{
    if (animation_->mode == AnimOnce && animation_->currentFrame >= animation_->frameCount - 1) {
        animation_->finished = false;
        animation_->currentFrame = 0;
    }
}

FrameRect ZoClip::CurrentFrameRect() const
{
    const std::int32_t columns = animation_->columns;
    std::int32_t frame = animation_->currentFrame;
    // A particle's frame reaches the count in its last moments: it shows the last frame, inside the picture.
    if (frame >= animation_->frameCount) {
        frame = animation_->frameCount - 1;
    }
    if (frame < 0) {
        frame = 0;
    }
    const std::int32_t row = frame / columns;
    const std::int32_t column = frame - columns * row;
    FrameRect rect;
    rect.width = static_cast<std::int32_t>(static_cast<std::uint32_t>(Width()) / static_cast<std::uint32_t>(columns));
    rect.height = static_cast<std::int32_t>(static_cast<std::uint32_t>(Height()) /
                                            static_cast<std::uint32_t>(animation_->rows));
    rect.left = rect.width * column;
    rect.top = rect.height * row;
    return rect;
}

void ZoClip::Draw()
{
    if (data_ == nullptr) {
        return;
    }
    DrawFrame(CurrentFrameRect());
}

bool ZoClip::HitTest(const ZoVector& point, std::int32_t level) const
{
    if (point.x < 0.0f || point.y < 0.0f || point.x > 800.0f || point.y > 600.0f) {
        return false;
    }
    if (data_ == nullptr || data_->MaskLevels() == nullptr || level < 0 ||
        static_cast<std::size_t>(level) >= data_->MaskLevels()->size()) {
        return false; // no masks were built for this picture
    }
    const ZoBitMask& mask = (*data_->MaskLevels())[static_cast<std::size_t>(level)];
    const std::int32_t shift = mask.shift;
    const std::int32_t columns = animation_->columns;
    const std::int32_t frame = animation_->currentFrame;
    const std::int32_t row = frame / columns;
    const std::int32_t column = frame - columns * row;
    const std::int32_t frameWidth = (Width() / columns) >> shift;
    const std::int32_t frameHeight = (Height() / animation_->rows) >> shift;
    ZoVector local(point.x - position.x, point.y - position.y, point.z);
    if (shift > 0) {
        local = local / static_cast<float>(1 << shift);
    }
    const std::int32_t tx = TruncateToInt(local.x);
    const std::int32_t ty = TruncateToInt(local.y);
    const std::int32_t firstX = (-frameWidth) >> 1;
    const std::int32_t firstY = (-frameHeight) >> 1;
    if (tx < firstX || tx > (frameWidth >> 1) - 1 || ty < firstY || ty > (frameHeight >> 1) - 1) {
        return false;
    }
    return mask.Cell(frameWidth * column + tx - firstX, frameHeight * row + ty - firstY) == 1;
}
