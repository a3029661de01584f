// The narrow audio interface the sound manager plays through: samples, one music stream, channels.
#pragma once

#include <cstddef>
#include <cstdint>

// Handles handed out by a backend; 0 means "none".
using ZoSampleId = std::uint32_t;
using ZoStreamId = std::uint32_t;

class ZoAudioBackend {
public:
    // Effects play on channels 0..kEffectChannels-1; the music stream has a channel of its own.
    static constexpr int kEffectChannels = 32;
    static constexpr int kMusicChannel = kEffectChannels;

    virtual ~ZoAudioBackend() = default;

    // Starts the output at the given rate with that many effect channels. False when no device works.
    virtual bool Open(int rate, int channels) = 0;
    // Stops the output; every sample and stream must already be freed.
    virtual void Close() = 0;
    // Start-up waits between attempts to open the device go through the backend, so tests need no sleep.
    virtual void Wait(int milliseconds) = 0;
    virtual std::uint32_t Milliseconds() = 0;

    // A WAV or Ogg Vorbis file decoded whole from memory (the bytes may be freed afterwards); 0 on failure.
    virtual ZoSampleId LoadSample(const char* bytes, std::size_t size) = 0;
    virtual void FreeSample(ZoSampleId sample) = 0;
    // Plays on a free effect channel; the channel, or -1 when nothing plays.
    virtual int PlaySample(ZoSampleId sample) = 0;
    // Volume 0..255 of one channel (an effect channel or kMusicChannel); -1 and unknown channels are ignored.
    virtual void SetChannelVolume(int channel, int volume) = 0;
    // Volume 0..255 of every effect channel.
    virtual void SetEffectsVolume(int volume) = 0;

    // An Ogg Vorbis music stream read from memory as it plays: the bytes must stay alive until CloseStream. 0
    // on failure.
    virtual ZoStreamId OpenStream(const char* bytes, std::size_t size) = 0;
    virtual void CloseStream(ZoStreamId stream) = 0;
    // Plays the stream once from startMilliseconds (stopping any other stream); the channel, or -1.
    virtual int PlayStream(ZoStreamId stream, std::uint32_t startMilliseconds) = 0;
    // Stopping a stream ourselves is never reported as its end.
    virtual void StopStream(ZoStreamId stream) = 0;
    // True while the stream plays, paused or not.
    virtual bool IsStreamPlaying(ZoStreamId stream) = 0;
    // Position in milliseconds of a playing stream; 0 for one that does not play.
    virtual std::uint32_t StreamPosition(ZoStreamId stream) = 0;
    // The stream that reached its end since the last call, or 0. Called on the main thread only.
    virtual ZoStreamId TakeEndedStream() = 0;

    // Pauses or resumes every effect channel and the music.
    virtual void PauseAll(bool paused) = 0;
};
