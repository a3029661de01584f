#include "RecordingAudio.h"

#include <cstring>

void RecordingAudio::EndPlayingStream() {
    ended_ = playing;
    playing = 0;
}

std::vector<std::string> RecordingAudio::Lines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : log) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(line);
    }
    return lines;
}

std::size_t RecordingAudio::LiveResources() const {
    std::size_t live = samples.size();
    for (const auto& [id, stream] : streams)
        live += stream.closed ? 0 : 1;
    return live;
}

bool RecordingAudio::Open(int rate, int channels) {
    log.push_back("open " + std::to_string(rate) + " " + std::to_string(channels));
    if (failingOpens != 0) {
        if (failingOpens > 0)
            --failingOpens;
        return false;
    }
    open = true;
    return true;
}

void RecordingAudio::Close() {
    log.push_back("close");
    open = false;
}

void RecordingAudio::Wait(int milliseconds) {
    clock += static_cast<std::uint32_t>(milliseconds);
    log.push_back("wait " + std::to_string(milliseconds));
}

bool RecordingAudio::LooksLikeSound(const char* bytes, std::size_t size) {
    return bytes && size >= 12 && (std::memcmp(bytes, "RIFF", 4) == 0 || std::memcmp(bytes, "OggS", 4) == 0);
}

ZoSampleId RecordingAudio::LoadSample(const char* bytes, std::size_t size) {
    if (!open || !LooksLikeSound(bytes, size)) {
        log.push_back("load-sample failed");
        return 0;
    }
    const ZoSampleId id = nextHandle_++;
    samples[id] = std::string(bytes, size);
    log.push_back("load-sample " + std::to_string(id));
    return id;
}

void RecordingAudio::FreeSample(ZoSampleId sample) {
    samples.erase(sample);
    log.push_back("free-sample " + std::to_string(sample));
}

int RecordingAudio::PlaySample(ZoSampleId sample) {
    if (samples.count(sample) == 0)
        return -1;
    const int channel = nextChannel_;
    nextChannel_ = (nextChannel_ + 1) % kEffectChannels;
    log.push_back("play-sample " + std::to_string(sample) + " -> " + std::to_string(channel));
    return channel;
}

void RecordingAudio::SetChannelVolume(int channel, int volume) {
    log.push_back("volume " + std::to_string(channel) + " = " + std::to_string(volume));
    if (channel >= 0)
        channelVolumes[channel] = volume;
}

void RecordingAudio::SetEffectsVolume(int volume) {
    log.push_back("effects-volume " + std::to_string(volume));
    for (int channel = 0; channel < kEffectChannels; ++channel)
        channelVolumes[channel] = volume;
}

ZoStreamId RecordingAudio::OpenStream(const char* bytes, std::size_t size) {
    if (!open || !LooksLikeSound(bytes, size)) {
        log.push_back("open-stream failed");
        return 0;
    }
    const ZoStreamId id = nextHandle_++;
    streams[id].bytes = std::string(bytes, size);
    log.push_back("open-stream " + std::to_string(id));
    return id;
}

void RecordingAudio::CloseStream(ZoStreamId stream) {
    if (stream == playing)
        playing = 0;
    streams[stream].closed = true;
    log.push_back("close-stream " + std::to_string(stream));
}

int RecordingAudio::PlayStream(ZoStreamId stream, std::uint32_t startMilliseconds) {
    auto found = streams.find(stream);
    if (found == streams.end() || found->second.closed)
        return -1;
    playing = stream;
    ended_ = 0;
    found->second.position = startMilliseconds;
    log.push_back("play-stream " + std::to_string(stream) + " from " + std::to_string(startMilliseconds) +
                  " -> " + std::to_string(kMusicChannel));
    return kMusicChannel;
}

void RecordingAudio::StopStream(ZoStreamId stream) {
    if (stream == playing)
        playing = 0;
    log.push_back("stop-stream " + std::to_string(stream));
}

std::uint32_t RecordingAudio::StreamPosition(ZoStreamId stream) {
    return IsStreamPlaying(stream) ? streams[stream].position : 0;
}

ZoStreamId RecordingAudio::TakeEndedStream() {
    const ZoStreamId stream = ended_;
    ended_ = 0;
    return stream;
}

void RecordingAudio::PauseAll(bool pausedNow) {
    paused = pausedNow;
    log.push_back(pausedNow ? "pause-all" : "resume-all");
}
