// Fuzz target: TGA bytes go through the decoder, the hit-mask builder and the font ink scan.
#include "ImageDecoder.h"
#include "ZoBitmapFont.h"
#include "ZoImageData.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    if (ImageDecoder::DecodeTga(data, size, image)) {
        if (image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4u) {
            __builtin_trap();
        }
        if (image.width <= 512 && image.height <= 512) {
            ZoImageData::BuildMasks(data, size, image.width, image.height);
        }
    }
    if (size >= 18) {
        ZoBitmapFont::ScanGlyphs(data, size, " ABCDEFGHIJ", data[size - 1] % 32);
    }
    return 0;
}
