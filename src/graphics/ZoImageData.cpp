#include "ZoImageData.h"

#include "ImageDecoder.h"
#include "PlatformVideo.h"
#include "ZoImageCache.h"
#include "ZoResourceManager.h"
#include "ZoShowError.h"

namespace {

const char* const kExtensions[] = {".Dds", ".Jpg", ".Tga"};
const char* const kFolder = "Data/Textures/";
constexpr std::size_t kTgaPixelStart = 18;

} // namespace

bool RCObject::RemoveReference()
{
    if (referenceCount_ > 0) {
        --referenceCount_;
    }
    if (referenceCount_ == 0) {
        delete this; // the reference-counted pattern: the last holder's release ends the object
        return true;
    }
    return false;
}

ZoBitMask::ZoBitMask(std::int32_t w, std::int32_t h, std::int32_t level)
    : width(w < 0 ? 0 : w), height(h < 0 ? 0 : h), shift(level),
      bits((static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 7u) / 8u, 0)
{
}

std::uint8_t ZoBitMask::Cell(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    const std::size_t cell = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    return (bits[cell / 8u] >> (cell % 8u)) & 1u;
}

void ZoBitMask::Set(std::int32_t x, std::int32_t y, bool opaque)
{
    const std::size_t cell = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    const auto bit = static_cast<std::uint8_t>(1u << (cell % 8u));
    bits[cell / 8u] = static_cast<std::uint8_t>(opaque ? bits[cell / 8u] | bit : bits[cell / 8u] & ~bit);
}

ZoImageData::~ZoImageData()
{
    ReleaseTexture();
    // Whatever happened to the texture, the cache must never keep a pointer to a dead object.
    ZoImageCache& cache = ZoImageCache::Instance();
    if (cache.Find(name_) == this) {
        cache.Erase(name_);
    }
}

void ZoImageData::ReleaseTexture()
{
    if (texture_ != 0) {
        PlatformVideo::Instance().DestroyTexture(texture_);
        texture_ = 0;
    }
}

bool ZoImageData::LoadTexture(const std::string& name, bool masks)
{
    ReleaseTexture();
    name_ = name;
    ZoFileBlock file;
    const std::int32_t size = ReadPicture(name, file);
    if (size == -1) {
        ShowError("File '" + name + "' - Not Found!");
        return false;
    }
    if (size <= 0 || !file) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.get());
    DecodedImage image;
    if (!ImageDecoder::Decode(bytes, static_cast<std::size_t>(size), image)) {
        return false;
    }
    texture_ = PlatformVideo::Instance().CreateTexture(image.rgba.data(), image.width, image.height);
    if (texture_ == 0) {
        return false;
    }
    imageInfo_.Width = image.width;
    imageInfo_.Height = image.height;
    if (masks) {
        maskLevels_ = BuildMasks(bytes, static_cast<std::size_t>(size), image.width, image.height);
    }
    return true;
}

bool ZoImageData::ReadPixels(std::vector<std::uint8_t>& rgba) const
{
    ZoFileBlock file;
    const std::int32_t size = ReadPicture(name_, file);
    DecodedImage image;
    if (size <= 0 || !file ||
        !ImageDecoder::Decode(reinterpret_cast<const std::uint8_t*>(file.get()), static_cast<std::size_t>(size), image) ||
        image.width != imageInfo_.Width || image.height != imageInfo_.Height) {
        return false;
    }
    rgba = std::move(image.rgba);
    return true;
}

std::int32_t ZoImageData::ReadPicture(const std::string& name, ZoFileBlock& file)
{
    ZoResourceManager& resources = ZoResourceManager::Instance();
    for (const char* extension : kExtensions) {
        const std::int32_t size = resources.GetFile(kFolder + name + extension, file);
        if (size != -1) {
            return size;
        }
    }
    return -1;
}

bool ZoImageData::EnsureMasks()
{
    if (maskLevels_ != nullptr) {
        return true;
    }
    ZoFileBlock file;
    const std::int32_t size = ReadPicture(name_, file);
    if (size <= 0 || !file) {
        return false;
    }
    maskLevels_ = BuildMasks(reinterpret_cast<const unsigned char*>(file.get()), static_cast<std::size_t>(size),
                             imageInfo_.Width, imageInfo_.Height);
    return true;
}

std::unique_ptr<std::vector<ZoBitMask>> ZoImageData::BuildMasks(const unsigned char* file, std::size_t size,
                                                                std::int32_t width, std::int32_t height)
{
    auto levels = std::make_unique<std::vector<ZoBitMask>>();
    if (width < 0 || height < 0) {
        width = 0;
        height = 0;
    }
    ZoBitMask mask(width, height, 0);
    // Rows are stored bottom-up; a file cut short reads as transparent rather than past its end.
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t alpha =
                kTgaPixelStart + 4u * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) + 3u;
            const bool opaque = alpha < size && file[alpha] != 0;
            mask.Set(x, height - 1 - y, opaque);
        }
    }
    while (levels->size() < 3) {
        levels->push_back(mask);
        const ZoBitMask& previous = levels->back();
        ZoBitMask next(previous.width / 2, previous.height / 2, previous.shift == 0 ? 1 : previous.shift * 2);
        // Column by column, so each cell keeps the last of its source cells visited.
        for (std::int32_t x = 0; x < previous.width; ++x) {
            for (std::int32_t y = 0; y < previous.height; ++y) {
                if (x / 2 >= next.width || y / 2 >= next.height) {
                    continue; // an odd last row or column has no cell of its own at the next level
                }
                next.Set(x / 2, y / 2, previous.Cell(x, y) != 0);
            }
        }
        mask = std::move(next);
    }
    return levels;
}
