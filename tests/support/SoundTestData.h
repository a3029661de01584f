// Sound test data made on the spot: tone WAV and Ogg bytes, and game files served from memory.
#pragma once

#include "ZoSoundManager.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class RecordingAudio;

namespace SoundTestData {

// A 16-bit mono PCM WAV file holding a sine tone (amplitude 0 gives silence).
std::string MakeWav(int milliseconds, double frequency = 440.0, int rate = 22050, int amplitude = 8000);
// An Ogg Vorbis file holding a sine tone, made by the game-data generator's own encoder.
std::string MakeOgg(int milliseconds, double frequency = 440.0, int rate = 22050);

// Game files by archive name, read the way the archive set reads them (-1 when missing).
class MemoryFiles {
public:
    void Add(const std::string& name, const std::string& bytes) { files_[name] = bytes; }
    std::int32_t Read(const std::string& name, ZoFileBlock& buffer) const;
    ZoSoundFileReader Reader() const;

private:
    std::map<std::string, std::string> files_;
};

} // namespace SoundTestData

// Every effect played while it lives, by effect id: a short sample is loaded for each of ids into a
// manager on a recording backend, and attach hands that manager to the code under test (nullptr at the end).
class SoundEar {
public:
    SoundEar(const std::vector<int>& ids, std::function<void(ZoSoundManager*)> attach);
    ~SoundEar();
    SoundEar(const SoundEar&) = delete;
    SoundEar& operator=(const SoundEar&) = delete;
    // Ids played since the last call.
    std::vector<int> Take();

private:
    RecordingAudio* audio_;
    std::unique_ptr<ZoSoundManager> manager_;
    std::function<void(ZoSoundManager*)> attach_;
    std::map<int, int> idOfSample_;
    std::size_t seen_ = 0;
};
