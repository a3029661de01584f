// The file encoders: WAV bytes exactly, and Vorbis keeping length, level and a loop's seam.
#include "AudioBuffer.h"
#include "AudioCodec.h"
#include "Dsp.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(AudioCodec, WavBytesAreTheCanonicalPcmLayout) {
    AudioBuffer buffer;
    buffer.sampleRate = 48000;
    buffer.channels = 2;
    buffer.samples = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, -3.0f}; // out-of-range values clamp
    std::vector<std::uint8_t> bytes = EncodeWav(buffer);
    // clang-format off
    const std::vector<std::uint8_t> expected = {
        'R', 'I', 'F', 'F', 48, 0, 0, 0, 'W', 'A', 'V', 'E',
        'f', 'm', 't', ' ', 16, 0, 0, 0,
        1, 0,                   // PCM
        2, 0,                   // channels
        0x80, 0xBB, 0, 0,       // 48000 Hz
        0x00, 0xEE, 0x02, 0,    // bytes a second
        4, 0, 16, 0,            // block size, bits
        'd', 'a', 't', 'a', 12, 0, 0, 0,
        0x00, 0x00, 0xFF, 0x7F, // 0, 1
        0x01, 0x80, 0x00, 0x40, // -1, 0.5
        0xFF, 0x7F, 0x00, 0x80  // clamped 2 and -3
    };
    // clang-format on
    EXPECT_EQ(bytes, expected);
}

AudioBuffer LoopedSine(size_t frames, int periods) {
    AudioBuffer buffer;
    buffer.channels = 2;
    buffer.samples.resize(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        double phase = 2.0 * kPi * periods * static_cast<double>(i) / static_cast<double>(frames);
        buffer.samples[i * 2] = static_cast<float>(0.5 * std::sin(phase));
        buffer.samples[i * 2 + 1] = static_cast<float>(0.5 * std::cos(phase));
    }
    return buffer;
}

TEST(AudioCodec, VorbisKeepsLengthLevelAndTheLoopSeam) {
    const size_t frames = 44100 + 123; // not a multiple of any block size
    AudioBuffer loop = LoopedSine(frames, 330);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodeOgg(loop, 0.5f, 1234, bytes));
    AudioBuffer decoded;
    ASSERT_TRUE(DecodeOgg(bytes, decoded));
    EXPECT_EQ(decoded.Frames(), frames);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_EQ(decoded.sampleRate, 44100);
    SoundLevels original = MeasureLevels(loop);
    SoundLevels levels = MeasureLevels(decoded);
    EXPECT_NEAR(levels.rms, original.rms, 0.01);
    EXPECT_LT(levels.seamStep, 0.1);
    // Same samples and serial, same bytes; another serial, other bytes.
    std::vector<std::uint8_t> again;
    std::vector<std::uint8_t> otherSerial;
    ASSERT_TRUE(EncodeOgg(loop, 0.5f, 1234, again));
    ASSERT_TRUE(EncodeOgg(loop, 0.5f, 99, otherSerial));
    EXPECT_EQ(bytes, again);
    EXPECT_NE(bytes, otherSerial);
}

TEST(AudioCodec, RefusesWhatItCannotEncodeOrDecode) {
    AudioBuffer empty;
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(EncodeOgg(empty, 0.5f, 1, bytes));
    AudioBuffer decoded;
    EXPECT_FALSE(DecodeOgg(std::vector<std::uint8_t>{'O', 'g', 'g', 'S', 0, 1, 2}, decoded));
    EXPECT_FALSE(DecodeOgg(EncodeWav(LoopedSine(100, 1)), decoded));
    EXPECT_NE(SerialForName("Data/Music/A.Ogg"), SerialForName("Data/Music/Menu.Ogg"));
}

} // namespace
