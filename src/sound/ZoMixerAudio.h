// The sound manager's backend in the game: the platform layer's SDL mixer device.
#pragma once

#include "PlatformAudio.h"
#include "ZoAudioBackend.h"

class ZoMixerAudio : public ZoAudioBackend {
public:
    bool Open(int rate, int channels) override { return device_.Open(rate, channels); }
    void Close() override { device_.Close(); }
    void Wait(int milliseconds) override { PlatformAudio::Wait(milliseconds); }
    std::uint32_t Milliseconds() override { return PlatformAudio::Milliseconds(); }

    ZoSampleId LoadSample(const char* bytes, std::size_t size) override {
        return device_.LoadSample(bytes, size);
    }
    void FreeSample(ZoSampleId sample) override { device_.FreeSample(sample); }
    int PlaySample(ZoSampleId sample) override { return device_.PlaySample(sample); }
    void SetChannelVolume(int channel, int volume) override { device_.SetChannelVolume(channel, volume); }
    void SetEffectsVolume(int volume) override { device_.SetEffectsVolume(volume); }

    ZoStreamId OpenStream(const char* bytes, std::size_t size) override {
        return device_.OpenStream(bytes, size);
    }
    void CloseStream(ZoStreamId stream) override { device_.CloseStream(stream); }
    int PlayStream(ZoStreamId stream, std::uint32_t start) override {
        return device_.PlayStream(stream, start);
    }
    void StopStream(ZoStreamId stream) override { device_.StopStream(stream); }
    bool IsStreamPlaying(ZoStreamId stream) override { return device_.IsStreamPlaying(stream); }
    std::uint32_t StreamPosition(ZoStreamId stream) override { return device_.StreamPosition(stream); }
    ZoStreamId TakeEndedStream() override { return device_.TakeEndedStream(); }

    void PauseAll(bool paused) override { device_.PauseAll(paused); }

private:
    PlatformAudio device_;
};
