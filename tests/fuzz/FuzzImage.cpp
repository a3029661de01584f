// Fuzz target: any bytes through the picture decoder as the texture loader calls it, and TGA bytes through
// the hit-mask builder and the font ink scan, which read the file themselves.
#include "ImageDecoder.h"
#include "ZoBitmapFont.h"
#include "ZoImageData.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    const bool decoded = ImageDecoder::Decode(data, size, image);
    if (decoded && image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4u)
        __builtin_trap();
    if (ImageDecoder::DetectFormat(data, size) != ImageFormat::Tga)
        return 0;
    if (decoded && image.width <= 512 && image.height <= 512)
        ZoImageData::BuildMasks(data, size, image.width, image.height);
    if (size >= 18)
        ZoBitmapFont::ScanGlyphs(data, size, " ABCDEFGHIJ", data[size - 1] % 32);
    return 0;
}
