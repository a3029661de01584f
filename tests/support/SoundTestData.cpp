#include "SoundTestData.h"

#include "AudioCodec.h"
#include "RecordingAudio.h"

#include <cmath>
#include <cstdlib>
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

SoundEar::SoundEar(const std::vector<int>& ids, std::function<void(ZoSoundManager*)> attach)
    : attach_(std::move(attach)) {
    auto audio = std::make_unique<RecordingAudio>();
    audio_ = audio.get();
    manager_ = std::make_unique<ZoSoundManager>(std::move(audio));
    SoundTestData::MemoryFiles files;
    for (int id : ids)
        files.Add("Sound" + std::to_string(id), SoundTestData::MakeWav(5));
    manager_->SetFileReader(files.Reader());
    manager_->Init(255, 255);
    for (int id : ids) {
        manager_->LoadSample(id, "Sound" + std::to_string(id));
        idOfSample_[std::atoi(audio_->log.back().substr(std::strlen("load-sample ")).c_str())] = id;
    }
    seen_ = audio_->log.size();
    attach_(manager_.get());
}

SoundEar::~SoundEar() {
    attach_(nullptr);
}

std::vector<int> SoundEar::Take() {
    std::vector<int> played;
    const std::string prefix = "play-sample ";
    for (std::size_t i = seen_; i < audio_->log.size(); ++i) {
        const std::string& line = audio_->log[i];
        if (line.compare(0, prefix.size(), prefix) == 0)
            played.push_back(idOfSample_[std::atoi(line.substr(prefix.size()).c_str())]);
    }
    seen_ = audio_->log.size();
    return played;
}
