#include "ZoImage.h"

#include "ZoImageCache.h"
#include "ZoTruncate.h"

ZoImage::ZoImage(const ZoImage& other)
    : userValue(other.userValue), red(other.red), green(other.green), blue(other.blue), alpha(other.alpha),
      position(other.position), previousPosition(other.previousPosition), rotationCentre(other.rotationCentre),
      rotation(other.rotation), flags(other.flags), scale(1.0f), data_(other.data_)
{
    if (data_ != nullptr) {
        data_->AddReference();
    }
}

ZoImage::~ZoImage() { ReleaseData(); }

void ZoImage::ReleaseData()
{
    if (data_ != nullptr) {
        data_->RemoveReference();
        data_ = nullptr;
    }
}

void ZoImage::Update(std::int32_t /*elapsed*/) {}

bool ZoImage::Load(const std::string& name, bool masks)
{
    ZoImageCache& cache = ZoImageCache::Instance();
    ZoImageData* found = cache.Find(name);
    if (found != nullptr) {
        if (masks) {
            found->EnsureMasks(); // shared with a holder that did not need masks
        }
        if (found == data_) {
            return true;
        }
        found->AddReference();
        ReleaseData();
        data_ = found;
        return true;
    }
    // A picture held before is let go: an image shows one picture at a time.
    ReleaseData();
    data_ = new ZoImageData(); // reference counted: freed by its last RemoveReference
    data_->AddReference();
    if (data_->LoadTexture(name, masks)) {
        cache.Insert(name, data_);
    }
    return true;
}

std::int32_t ZoImage::Width() const { return data_ != nullptr ? data_->ImageInfo().Width : 0; }

std::int32_t ZoImage::Height() const { return data_ != nullptr ? data_->ImageInfo().Height : 0; }

std::uint32_t ZoImage::PackedColour() const
{
    const auto channel = [](float value) {
        return static_cast<std::uint32_t>(TruncateToInt(value)) & 0xFFu;
    };
    return (channel(alpha) << 24) | (channel(red) << 16) | (channel(green) << 8) | channel(blue);
}

void ZoImage::Draw()
{
    if (data_ == nullptr || data_->Texture() == 0) {
        return;
    }
    const std::int32_t width = Width();
    const std::int32_t height = Height();
    const ZoRect rect{0, 0, width, height};
    ZoRenderDevice::Instance().DrawImage(&rect, data_->Texture(), &rect, 0,
                                         position.x - static_cast<float>(static_cast<std::uint32_t>(width) >> 1),
                                         position.y - static_cast<float>(static_cast<std::uint32_t>(height) >> 1));
}

void ZoImage::DrawPart(ZoRect rect)
{
    if (data_ == nullptr || data_->Texture() == 0) {
        return;
    }
    const auto halfWidth = static_cast<float>(static_cast<std::uint32_t>(Width()) >> 1);
    const auto halfHeight = static_cast<float>(static_cast<std::uint32_t>(Height()) >> 1);
    ZoRenderDevice::Instance().DrawImage(&rect, data_->Texture(), &rect, 0, position.x - halfWidth,
                                         position.y - halfHeight);
}

void ZoImage::DrawFrame(FrameRect frame)
{
    if (data_ == nullptr || data_->Texture() == 0) {
        return;
    }
    const std::int32_t halfWidth = frame.width / 2;
    const std::int32_t halfHeight = frame.height / 2;
    const ZoRect destination{TruncateToInt(-static_cast<float>(halfWidth) * scale),
                             TruncateToInt(-static_cast<float>(halfHeight) * scale),
                             TruncateToInt(static_cast<float>(halfWidth) * scale),
                             TruncateToInt(static_cast<float>(halfHeight) * scale)};
    const ZoRect source{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
    const std::int32_t centre[2] = {TruncateToInt(static_cast<float>(halfWidth) + rotationCentre.x),
                                    TruncateToInt(static_cast<float>(halfHeight) + rotationCentre.y)};
    ZoRenderDevice::Instance().DrawSprite(&destination, data_->Texture(), &source, flags, PackedColour(), rotation,
                                          centre, position.x, position.y);
}
