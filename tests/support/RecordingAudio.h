// A sound backend that plays nothing and writes down every call, with a clock and failures to order.
#pragma once

#include "ZoAudioBackend.h"

#include <map>
#include <string>
#include <vector>

class RecordingAudio : public ZoAudioBackend {
public:
    struct StreamState {
        std::string bytes;
        std::uint32_t position = 0;
        bool closed = false;
    };

    // Everything called, one line each ("play-stream 3 from 0 -> 32", "volume 32 = 96", ...).
    std::vector<std::string> log;
    // How many Open calls fail before one works; negative: all fail.
    int failingOpens = 0;
    std::uint32_t clock = 0;
    bool open = false;
    bool paused = false;
    ZoStreamId playing = 0;
    std::map<int, int> channelVolumes;
    std::map<ZoSampleId, std::string> samples;
    std::map<ZoStreamId, StreamState> streams;

    // The playing stream reaches its end, as the audio thread would report it.
    void EndPlayingStream();
    // Lines of the log that start with prefix.
    std::vector<std::string> Lines(const std::string& prefix) const;
    // Streams never closed and samples never freed.
    std::size_t LiveResources() const;

    bool Open(int rate, int channels) override;
    void Close() override;
    void Wait(int milliseconds) override;
    std::uint32_t Milliseconds() override { return clock; }
    ZoSampleId LoadSample(const char* bytes, std::size_t size) override;
    void FreeSample(ZoSampleId sample) override;
    int PlaySample(ZoSampleId sample) override;
    void SetChannelVolume(int channel, int volume) override;
    void SetEffectsVolume(int volume) override;
    ZoStreamId OpenStream(const char* bytes, std::size_t size) override;
    void CloseStream(ZoStreamId stream) override;
    int PlayStream(ZoStreamId stream, std::uint32_t startMilliseconds) override;
    void StopStream(ZoStreamId stream) override;
    bool IsStreamPlaying(ZoStreamId stream) override { return stream != 0 && stream == playing; }
    std::uint32_t StreamPosition(ZoStreamId stream) override;
    ZoStreamId TakeEndedStream() override;
    void PauseAll(bool pausedNow) override;

private:
    // Stands in for a decoder: only bytes that start like a WAV or Ogg file load.
    static bool LooksLikeSound(const char* bytes, std::size_t size);

    std::uint32_t nextHandle_ = 1;
    int nextChannel_ = 0;
    ZoStreamId ended_ = 0;
};
