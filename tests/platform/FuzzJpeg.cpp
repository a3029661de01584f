// Fuzz target: the JPEG path must reject or decode any bytes without crashing.
#include "ImageDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedImage image;
    ImageDecoder::DecodeJpeg(data, size, image);
    return 0;
}
