#include "SoundTestData.h"

#include "AudioCodec.h"

#include <cmath>
#include <cstring>

namespace SoundTestData {

namespace {

AudioBuffer Tone(int milliseconds, double frequency, int rate, double level) {
    AudioBuffer tone;
    tone.sampleRate = rate;
    tone.samples.resize(static_cast<std::size_t>(static_cast<long long>(rate) * milliseconds / 1000));
    for (std::size_t i = 0; i < tone.samples.size(); ++i)
        tone.samples[i] = static_cast<float>(level * std::sin(6.283185307179586 * frequency * i / rate));
    return tone;
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

std::string MakeWav(int milliseconds, double frequency, int rate, int amplitude) {
    return Text(EncodeWav(Tone(milliseconds, frequency, rate, amplitude / 32767.0)));
}

std::string MakeOgg(int milliseconds, double frequency, int rate) {
    std::vector<std::uint8_t> bytes;
    // A fixed serial: the same call gives the same bytes.
    return EncodeOgg(Tone(milliseconds, frequency, rate, 0.25), 0.3f, 20261206, bytes) ? Text(bytes) : "";
}

std::int32_t MemoryFiles::Read(const std::string& name, ZoFileBlock& buffer) const {
    auto found = files_.find(name);
    if (found == files_.end())
        return -1;
    const std::string& bytes = found->second;
    buffer = std::make_unique<char[]>(bytes.size() + 1);
    std::memcpy(buffer.get(), bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
    return static_cast<std::int32_t>(bytes.size());
}

ZoSoundFileReader MemoryFiles::Reader() const {
    return [this](const std::string& name, ZoFileBlock& buffer) { return Read(name, buffer); };
}

} // namespace SoundTestData
