// Sound test data made on the spot: tone WAV and Ogg bytes, and game files served from memory.
#pragma once

#include "ZoSoundManager.h"

#include <cstdint>
#include <map>
#include <string>

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
