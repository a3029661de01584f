// Fuzz target: the DDS decoder must reject or decode any bytes without reading outside them.
#include "ImageDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    if (ImageDecoder::DecodeDds(data, size, image) &&
        image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4u) {
        __builtin_trap();
    }
    return 0;
}
