// The audio device over the SDL mixer: samples, one music stream at a time, channels and volumes 0-255.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

class PlatformAudio {
public:
    PlatformAudio();
    ~PlatformAudio();
    PlatformAudio(const PlatformAudio&) = delete;
    PlatformAudio& operator=(const PlatformAudio&) = delete;

    // Opens the device (16-bit stereo at rate) with that many effect channels. Only one device can be open
    // in the process; false when no audio driver or device works.
    bool Open(int rate, int channels);
    // Frees whatever is still loaded and closes the device.
    void Close();
    bool IsOpen() const { return open_; }
    static void Wait(int milliseconds);
    static std::uint32_t Milliseconds();

    // WAV or Ogg Vorbis bytes, decoded at once; 0 on failure (also when the device is closed). A WAV
    // whose format chunk is implausible never reaches the decoder.
    std::uint32_t LoadSample(const char* bytes, std::size_t size);
    void FreeSample(std::uint32_t sample);
    // The effect channel it plays on, or -1.
    int PlaySample(std::uint32_t sample);
    // Channel musicChannel means the music.
    void SetChannelVolume(int channel, int volume);
    void SetEffectsVolume(int volume);
    int MusicChannel() const { return channels_; }

    // Ogg Vorbis bytes; the stream reads them while it plays: keep them alive until CloseStream.
    // 0 on failure or for any other format.
    std::uint32_t OpenStream(const char* bytes, std::size_t size);
    void CloseStream(std::uint32_t stream);
    // Plays once from the position; stops whatever stream played before. The music channel, or -1.
    int PlayStream(std::uint32_t stream, std::uint32_t startMilliseconds);
    void StopStream(std::uint32_t stream);
    bool IsStreamPlaying(std::uint32_t stream) const;
    std::uint32_t StreamPosition(std::uint32_t stream) const;
    // The stream that ended by itself since the last call, or 0.
    std::uint32_t TakeEndedStream();

    void PauseAll(bool paused);

    // The event type pushed to wake a main loop waiting for events when a stream ends; 0 when closed.
    static std::uint32_t WakeEventType();

private:
    struct Sample;
    struct Stream;

    void HaltMusic();

    bool open_ = false;
    int channels_ = 0;
    std::uint32_t nextHandle_ = 1;
    std::map<std::uint32_t, std::unique_ptr<Sample>> samples_;
    std::map<std::uint32_t, std::unique_ptr<Stream>> streams_;
    std::uint32_t playingStream_ = 0;
    std::uint32_t playingSerial_ = 0;
};
