// Shared data of one loaded picture: its texture, file size, name and optional hit masks.
#pragma once

#include "ZoRenderDevice.h"
#include "ZoResourceManager.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Reference-counted base: a fresh object has count 0; it deletes itself when the last holder lets go.
class RCObject {
public:
    RCObject() = default;
    RCObject(const RCObject&) = delete;
    RCObject& operator=(const RCObject&) = delete;
    virtual ~RCObject() = default;

    void AddReference() { ++referenceCount_; }
    // True when this was the last reference and the object is gone.
    bool RemoveReference();
    std::uint32_t ReferenceCount() const { return referenceCount_; }

private:
    std::uint32_t referenceCount_ = 0;
};

// One hit mask: 1 = opaque cell. Row 0 is the picture's top row. One bit a cell: masks stay in memory
// for as long as their pictures.
struct ZoBitMask {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t shift = 0;
    std::vector<std::uint8_t> bits;

    ZoBitMask() = default;
    ZoBitMask(std::int32_t w, std::int32_t h, std::int32_t level);
    std::uint8_t Cell(std::int32_t x, std::int32_t y) const;
    void Set(std::int32_t x, std::int32_t y, bool opaque);
};

// What the loader reports about the picture file.
struct ZoImageInfo {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

class ZoImageData : public RCObject {
public:
    ZoImageData() = default;
    ~ZoImageData() override;

    // Looks the name up under "Data/Textures/" with ".Dds", ".Jpg", ".Tga" and makes the texture.
    // False (with the "File '...' - Not Found!" box when no file exists) leaves no texture.
    bool LoadTexture(const std::string& name, bool masks);

    // Builds the masks for a picture first loaded without them (another holder asked for masks later).
    bool EnsureMasks();
    // The picture's pixels (RGBA) read and decoded again: the texture is the only copy kept.
    bool ReadPixels(std::vector<std::uint8_t>& rgba) const;

    const ZoImageInfo& ImageInfo() const { return imageInfo_; }
    ZoTexture Texture() const { return texture_; }
    const std::string& Name() const { return name_; }
    // Null until masks were built; three levels (shift 0, 1, 2) when present.
    const std::vector<ZoBitMask>* MaskLevels() const { return maskLevels_.get(); }

    // Builds the three mask levels from the bytes of a 32-bit bottom-up TGA file of the given size.
    static std::unique_ptr<std::vector<ZoBitMask>> BuildMasks(const unsigned char* file, std::size_t size,
                                                              std::int32_t width, std::int32_t height);

private:
    void ReleaseTexture();
    // The picture's file under the first extension that exists; -1 when none does.
    static std::int32_t ReadPicture(const std::string& name, ZoFileBlock& file);

    ZoImageInfo imageInfo_;
    ZoTexture texture_ = 0;
    std::string name_;
    std::unique_ptr<std::vector<ZoBitMask>> maskLevels_;
};
