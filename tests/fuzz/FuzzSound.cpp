// Fuzz target: any bytes offered as an effect sample and as a music stream to the SDL mixer device.
#include "PlatformAudio.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

PlatformAudio& Device() {
    static PlatformAudio* device = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        static PlatformAudio audio;
        audio.Open(48000, 32);
        return &audio;
    }();
    return *device;
}

} // namespace

// A damaged header can ask the decoder for an impossible buffer; the real allocator answers with null,
// which the decoder turns into a failed load. The sanitizer should answer the same way, not abort.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PlatformAudio& device = Device();
    const char* bytes = reinterpret_cast<const char*>(data);
    if (const std::uint32_t sample = device.LoadSample(bytes, size)) {
        device.PlaySample(sample);
        device.FreeSample(sample);
    }
    if (const std::uint32_t stream = device.OpenStream(bytes, size)) {
        device.PlayStream(stream, 0);
        device.StreamPosition(stream);
        device.PlayStream(stream, 250);
        device.TakeEndedStream();
        device.StopStream(stream);
        device.CloseStream(stream);
    }
    return 0;
}
