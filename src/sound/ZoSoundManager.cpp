#include "ZoSoundManager.h"

#include "ZoMixerAudio.h"
#include "ZoSysConfig.h"

#include <algorithm>

namespace {

// Volumes outside 0..255 (a hand-edited options file) are pinned rather than wrapped round.
int ClampVolume(std::int32_t volume) {
    return std::clamp<std::int32_t>(volume, 0, 255);
}

} // namespace

ZoSoundManager& ZoSoundManager::Instance() {
    static ZoSoundManager manager(std::make_unique<ZoMixerAudio>());
    return manager;
}

ZoSoundManager::ZoSoundManager(std::unique_ptr<ZoAudioBackend> backend) : backend_(std::move(backend)) {}

ZoSoundManager::~ZoSoundManager() {
    Shutdown();
}

bool ZoSoundManager::Init() {
    const ZoSysConfig& options = ZoSysConfig::Instance();
    return Init(options.soundVolume, options.musicVolume);
}

bool ZoSoundManager::Init(int soundVolume, int musicVolume) {
    if (open_) {
        return true;
    }
    // The device may be busy for a moment (another program closing it): try again for about a second,
    // but never let slow attempts stretch start-up beyond the budget.
    const std::uint32_t start = backend_->Milliseconds();
    bool opened = backend_->Open(kOutputRate, ZoAudioBackend::kEffectChannels);
    while (!opened && initAttempts_ < kInitRetries &&
           backend_->Milliseconds() - start + kInitRetryMilliseconds <= kInitBudgetMilliseconds) {
        backend_->Wait(kInitRetryMilliseconds);
        ++initAttempts_;
        opened = backend_->Open(kOutputRate, ZoAudioBackend::kEffectChannels);
    }
    if (!opened) {
        return false;
    }
    open_ = true;
    musicVolume_ = ClampVolume(musicVolume);
    soundVolume_ = ClampVolume(soundVolume);
    if (musicVolume_ < kAudibleVolume) {
        musicEnabled_ = false;
    }
    if (soundVolume_ < kAudibleVolume) {
        soundEnabled_ = false;
    }
    return true;
}

bool ZoSoundManager::LoadSample(std::int32_t id, const std::string& path, std::int32_t, bool) {
    if (!open_) {
        return false;
    }
    ZoFileBlock bytes;
    const std::int32_t size = ReadFile(path, bytes);
    if (size <= 0 || !bytes) {
        return false;
    }
    const ZoSampleId sample = backend_->LoadSample(bytes.get(), static_cast<std::size_t>(size));
    if (sample == 0) {
        return false;
    }
    auto found = samples_.find(id);
    if (found != samples_.end()) {
        backend_->FreeSample(found->second);
    }
    samples_[id] = sample;
    return true;
}

std::int32_t ZoSoundManager::PlaySound(std::int32_t id, const ZoVector*) {
    if (id == 0 || !soundEnabled_ || !open_) {
        return -1;
    }
    auto found = samples_.find(id);
    if (found == samples_.end()) {
        return -1;
    }
    const int channel = backend_->PlaySample(found->second);
    if (channel < 0) {
        return -1;
    }
    backend_->SetChannelVolume(channel, soundVolume_);
    return channel;
}

bool ZoSoundManager::AddPlayList(std::int32_t id, std::unique_ptr<ZoPlayList> playList) {
    if (!playList) {
        return false;
    }
    std::unique_ptr<ZoPlayList>& slot = playLists_[id];
    if (slot && slot.get() == currentPlayList_) {
        // The list being replaced goes away: nothing may keep pointing at it.
        currentPlayList_->StopMusic();
        currentPlayList_ = nullptr;
    }
    slot = std::move(playList);
    return true;
}

ZoPlayList* ZoSoundManager::GetPlayList(std::int32_t id) const {
    auto found = playLists_.find(id);
    return found == playLists_.end() ? nullptr : found->second.get();
}

ZoPlayList* ZoSoundManager::SetPlayList(std::int32_t id) {
    if (currentPlayList_) {
        currentPlayList_->StopMusic();
    }
    currentPlayList_ = GetPlayList(id);
    return currentPlayList_;
}

void ZoSoundManager::PlayMusic() {
    if (!musicEnabled_ || !currentPlayList_) {
        return;
    }
    if (currentPlayList_->Channel() == 0) {
        currentPlayList_->NextTrack();
    } else {
        currentPlayList_->ResumeMusic();
    }
}

void ZoSoundManager::NextTrack() {
    if (currentPlayList_) {
        currentPlayList_->NextTrack();
    }
}

void ZoSoundManager::StopMusic() {
    if (currentPlayList_) {
        currentPlayList_->StopMusic();
    }
}

void ZoSoundManager::ResumeMusic() {
    if (currentPlayList_) {
        currentPlayList_->ResumeMusic();
    }
}

void ZoSoundManager::RestartTrack() {
    if (currentPlayList_) {
        currentPlayList_->RestartTrack();
    }
}

void ZoSoundManager::SetMusicVolume(std::int32_t volume) {
    musicVolume_ = ClampVolume(volume);
    if (currentPlayList_ && currentPlayList_->Channel() != -1) {
        backend_->SetChannelVolume(currentPlayList_->Channel(), musicVolume_);
    }
}

void ZoSoundManager::SetSoundVolume(std::int32_t volume) {
    // Deliberate: while effects are off the new volume is not even remembered.
    if (!soundEnabled_) {
        return;
    }
    soundVolume_ = ClampVolume(volume);
    backend_->SetEffectsVolume(soundVolume_);
    SetMusicVolume(musicVolume_);
}

void ZoSoundManager::PauseAll(bool paused) {
    if (open_) {
        backend_->PauseAll(paused);
    }
}

void ZoSoundManager::Shutdown() {
    currentPlayList_ = nullptr;
    playLists_.clear(); // each list closes its streams before its buffers go
    for (const auto& [id, sample] : samples_) {
        backend_->FreeSample(sample);
    }
    samples_.clear();
    endCount_ = 0;
    if (open_) {
        backend_->Close();
        open_ = false;
    }
}

void ZoSoundManager::Poll() {
    const ZoStreamId ended = backend_->TakeEndedStream();
    if (ended != 0) {
        OnTrackEnd(ended);
    }
}

void ZoSoundManager::OnTrackEnd(ZoStreamId stream) {
    if (!currentPlayList_ || !musicEnabled_) {
        return;
    }
    // The first end replays the track, the second moves on; the count is shared by every list.
    ++endCount_;
    if (endCount_ > 1) {
        endCount_ = 0;
        backend_->StopStream(stream);
        PlayMusic();
    } else {
        RestartTrack();
    }
}

std::int32_t ZoSoundManager::ReadFile(const std::string& name, ZoFileBlock& buffer) const {
    if (fileReader_) {
        return fileReader_(name, buffer);
    }
    return ZoResourceManager::Instance().GetFile(name, buffer);
}

void ZoSoundManager::SetFileReader(ZoSoundFileReader reader) {
    fileReader_ = std::move(reader);
}
