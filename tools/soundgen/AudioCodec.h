// Writes our sounds as 16-bit PCM WAV or Ogg Vorbis bytes, and decodes Ogg to check what we wrote.
#pragma once

#include "AudioBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::uint8_t> EncodeWav(const AudioBuffer& buffer);

// Vorbis at the given quality (-0.1 .. 1). The stream serial is fixed by the caller, so the same
// samples always give the same bytes.
bool EncodeOgg(const AudioBuffer& buffer, float quality, int serial, std::vector<std::uint8_t>& bytes);

bool DecodeOgg(const std::vector<std::uint8_t>& bytes, AudioBuffer& buffer);

// A stable stream serial for a file name (FNV-1a).
int SerialForName(const std::string& name);
