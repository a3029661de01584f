#include "ZoPlayList.h"

#include "ZoRandom.h"
#include "ZoSoundManager.h"

#include <utility>

ZoPlayList::ZoPlayList(ZoSoundManager& manager) : manager_(manager) {}

ZoPlayList::ZoPlayList() : ZoPlayList(ZoSoundManager::Instance()) {}

ZoPlayList::~ZoPlayList() {
    // Streams read from the buffers, so they close first.
    for (const ZoMusicSample& track : tracks_) {
        manager_.Backend().CloseStream(track.stream);
    }
}

void ZoPlayList::AddTrack(const std::string& path) {
    names_.push_back(path);
    if (!manager_.IsOpen()) {
        return;
    }
    ZoFileBlock bytes;
    const std::int32_t size = manager_.ReadFile(path, bytes);
    if (size <= 0 || !bytes) {
        return;
    }
    const ZoStreamId stream = manager_.Backend().OpenStream(bytes.get(), static_cast<std::size_t>(size));
    if (stream == 0) {
        return;
    }
    tracks_.push_back(ZoMusicSample{stream, 0});
    buffers_.push_back(std::move(bytes));
}

ZoStreamId ZoPlayList::CurrentStream() const {
    return currentIndex_ < tracks_.size() ? tracks_[currentIndex_].stream : 0;
}

void ZoPlayList::NextTrack() {
    if (!manager_.MusicEnabled() || tracks_.empty()) {
        return;
    }
    if (currentIndex_ >= tracks_.size() - 1) {
        Shuffle();
        currentIndex_ = 0;
    } else {
        ++currentIndex_;
    }
    StartCurrentTrack();
}

void ZoPlayList::StopMusic() {
    if (tracks_.empty()) {
        return;
    }
    ZoMusicSample& track = tracks_[currentIndex_];
    ZoAudioBackend& backend = manager_.Backend();
    // A track that is not sounding keeps the position it saved when it was stopped.
    if (!backend.IsStreamPlaying(track.stream)) {
        return;
    }
    track.savedPosition = backend.StreamPosition(track.stream);
    backend.StopStream(track.stream);
}

void ZoPlayList::ResumeMusic() {
    if (!manager_.MusicEnabled() || tracks_.empty()) {
        return;
    }
    ZoMusicSample& track = tracks_[currentIndex_];
    ZoAudioBackend& backend = manager_.Backend();
    // The options slider resumes on every move: a track already sounding just goes on.
    if (backend.IsStreamPlaying(track.stream)) {
        return;
    }
    if (track.savedPosition == 0) {
        NextTrack();
        return;
    }
    channel_ = backend.PlayStream(track.stream, track.savedPosition);
    backend.SetChannelVolume(channel_, manager_.MusicVolume());
    track.savedPosition = 0;
}

void ZoPlayList::RestartTrack() {
    if (!manager_.MusicEnabled() || tracks_.empty()) {
        return;
    }
    StartCurrentTrack();
}

void ZoPlayList::StartCurrentTrack() {
    ZoMusicSample& track = tracks_[currentIndex_];
    ZoAudioBackend& backend = manager_.Backend();
    channel_ = backend.PlayStream(track.stream, 0);
    backend.SetChannelVolume(channel_, manager_.MusicVolume());
    track.savedPosition = 0;
}

void ZoPlayList::Shuffle() {
    const std::size_t count = tracks_.size();
    if (count < 3) {
        return;
    }
    // Indices wrap at 16 bits like the list's own index.
    auto at = [this](std::size_t index) -> ZoMusicSample& {
        return tracks_[static_cast<std::uint16_t>(index)];
    };
    ZoRandom& random = SystemRandom();
    std::swap(at(0), at(static_cast<std::size_t>(random.Next()) % (count - 1) + 1));
    for (std::size_t i = 0; i < count; ++i) {
        std::swap(at(i), at(static_cast<std::size_t>(random.Next()) % (count - i) + i));
    }
}
