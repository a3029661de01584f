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

std::uint8_t ZoBitMask::Cell(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    return data[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
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
    ZoBitMask mask;
    mask.width = width;
    mask.height = height;
    mask.shift = 0;
    mask.data.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    // Rows are stored bottom-up; a file cut short reads as transparent rather than past its end.
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t alpha =
                kTgaPixelStart + 4u * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) + 3u;
            const bool opaque = alpha < size && file[alpha] != 0;
            mask.data[static_cast<std::size_t>(height - 1 - y) * width + x] = opaque ? 1 : 0;
        }
    }
    while (levels->size() < 3) {
        levels->push_back(mask);
        const ZoBitMask& previous = levels->back();
        ZoBitMask next;
        next.width = previous.width / 2;
        next.height = previous.height / 2;
        next.shift = previous.shift == 0 ? 1 : previous.shift * 2;
        next.data.assign(static_cast<std::size_t>(next.width) * static_cast<std::size_t>(next.height), 0);
        // Column by column, so each cell keeps the last of its source cells visited.
        for (std::int32_t x = 0; x < previous.width; ++x) {
            for (std::int32_t y = 0; y < previous.height; ++y) {
                if (x / 2 >= next.width || y / 2 >= next.height) {
                    continue; // an odd last row or column has no cell of its own at the next level
                }
                next.data[static_cast<std::size_t>(y / 2) * next.width + x / 2] = previous.Cell(x, y) ? 1 : 0;
            }
        }
        mask = std::move(next);
    }
    return levels;
}
