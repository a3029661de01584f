// Picture decoding from memory to RGBA: DDS (uncompressed 32-bit, DXT1/3/5) ourselves, JPEG and TGA via SDL_image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4, top row first
};

enum class ImageFormat { Unknown, Dds, Jpeg, Tga };

namespace ImageDecoder {
// DDS by its magic, JPEG by its start marker, anything else is taken as TGA (which has no signature).
ImageFormat DetectFormat(const std::uint8_t* bytes, std::size_t size);
// All return false (image left empty) for damaged or unsupported files; none reads outside bytes.
bool Decode(const std::uint8_t* bytes, std::size_t size, DecodedImage& image);
bool DecodeDds(const std::uint8_t* bytes, std::size_t size, DecodedImage& image);
bool DecodeTga(const std::uint8_t* bytes, std::size_t size, DecodedImage& image);
bool DecodeJpeg(const std::uint8_t* bytes, std::size_t size, DecodedImage& image);
} // namespace ImageDecoder
