#include "PlatformAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

// The mixer's music-finished hook takes no user data and runs on the audio thread (or inside our own
// halt), so it can only reach these atomics. It never touches game state: it records which play ended
// and wakes the main loop, which acts on it in Poll.
std::atomic<bool> gHalting{false};
std::atomic<std::uint32_t> gCurrentPlay{0};
std::atomic<std::uint32_t> gEndedPlay{0};
std::atomic<std::uint32_t> gWakeEventType{0};

void SDLCALL OnMusicFinished() {
    if (gHalting.load()) {
        return; // we stopped it ourselves: that is not the end of the track
    }
    gEndedPlay.store(gCurrentPlay.load());
    const std::uint32_t type = gWakeEventType.load();
    if (type != 0) {
        SDL_Event event{};
        event.type = type;
        SDL_PushEvent(&event);
    }
}

std::uint32_t RegisterWakeEvent() {
    static const std::uint32_t type = SDL_RegisterEvents(1);
    return type == static_cast<std::uint32_t>(-1) ? 0 : type;
}

// The game's volumes run 0..255, the mixer's 0..128.
int MixerVolume(int volume) {
    return (std::clamp(volume, 0, 255) * MIX_MAX_VOLUME + 127) / 255;
}

constexpr Uint32 kSubsystems = SDL_INIT_AUDIO | SDL_INIT_EVENTS;

std::uint32_t ReadLittleEndian(const unsigned char* at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | at[i];
    }
    return value;
}

bool IsOggVorbis(const char* bytes, std::size_t size) {
    return size >= 4 && std::memcmp(bytes, "OggS", 4) == 0;
}

// The mixer's WAV reader trusts the file: a channel count that wraps its 8-bit field to 0 ends in a division
// by zero, and a data length far beyond the file makes it reserve gigabytes. Only the two formats the game
// ships reach the decoders, and a WAV only when its format is plausible and every chunk up to the sound
// data lies inside the file.
bool IsSaneWav(const char* bytes, std::size_t size) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes);
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
        return false;
    }
    bool formatSeen = false;
    std::size_t at = 12;
    while (at + 8 <= size) {
        const std::size_t length = ReadLittleEndian(data + at + 4, 4);
        if (length > size - at - 8) {
            return false;
        }
        if (std::memcmp(data + at, "fmt ", 4) == 0) {
            if (length < 16) {
                return false;
            }
            const std::uint32_t channels = ReadLittleEndian(data + at + 10, 2);
            const std::uint32_t rate = ReadLittleEndian(data + at + 12, 4);
            const std::uint32_t bits = ReadLittleEndian(data + at + 22, 2);
            if (channels < 1 || channels > 8 || rate < 1000 || rate > 384000 || bits > 64) {
                return false;
            }
            formatSeen = true;
        } else if (std::memcmp(data + at, "data", 4) == 0) {
            return formatSeen;
        }
        at += 8 + length + (length & 1u);
    }
    return false;
}

} // namespace

struct PlatformAudio::Sample {
    Mix_Chunk* chunk = nullptr;
    ~Sample() { Mix_FreeChunk(chunk); }
};

struct PlatformAudio::Stream {
    Mix_Music* music = nullptr;
    ~Stream() { Mix_FreeMusic(music); }
};

PlatformAudio::PlatformAudio() = default;

PlatformAudio::~PlatformAudio() {
    Close();
}

bool PlatformAudio::Open(int rate, int channels) {
    if (open_) {
        return true;
    }
    if (SDL_InitSubSystem(kSubsystems) != 0) {
        return false;
    }
    // Without the Ogg decoder only the Ogg files stay silent; WAV still works.
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(kSubsystems);
        return false;
    }
    channels_ = Mix_AllocateChannels(channels);
    gWakeEventType.store(RegisterWakeEvent());
    gEndedPlay.store(0);
    Mix_HookMusicFinished(OnMusicFinished);
    open_ = true;
    return true;
}

void PlatformAudio::Close() {
    if (!open_) {
        return;
    }
    Mix_HookMusicFinished(nullptr);
    gWakeEventType.store(0);
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    playingStream_ = 0;
    streams_.clear();
    samples_.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(kSubsystems);
    open_ = false;
}

void PlatformAudio::Wait(int milliseconds) {
    SDL_Delay(static_cast<Uint32>(std::max(milliseconds, 0)));
}

std::uint32_t PlatformAudio::Milliseconds() {
    return SDL_GetTicks();
}

std::uint32_t PlatformAudio::LoadSample(const char* bytes, std::size_t size) {
    if (!open_ || !bytes || size > static_cast<std::size_t>(INT32_MAX) ||
        !(IsSaneWav(bytes, size) || IsOggVorbis(bytes, size))) {
        return 0;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (!source) {
        return 0;
    }
    // The mixer forgets to close the source on some early failures, so we always close it ourselves.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 0);
    SDL_RWclose(source);
    if (!chunk) {
        return 0;
    }
    auto sample = std::make_unique<Sample>();
    sample->chunk = chunk;
    const std::uint32_t handle = nextHandle_++;
    samples_[handle] = std::move(sample);
    return handle;
}

void PlatformAudio::FreeSample(std::uint32_t sample) {
    samples_.erase(sample);
}

int PlatformAudio::PlaySample(std::uint32_t sample) {
    auto found = samples_.find(sample);
    if (!open_ || found == samples_.end()) {
        return -1;
    }
    return Mix_PlayChannel(-1, found->second->chunk, 0);
}

void PlatformAudio::SetChannelVolume(int channel, int volume) {
    if (!open_ || channel < 0) {
        return;
    }
    if (channel == channels_) {
        Mix_VolumeMusic(MixerVolume(volume));
    } else if (channel < channels_) {
        Mix_Volume(channel, MixerVolume(volume));
    }
}

void PlatformAudio::SetEffectsVolume(int volume) {
    if (open_) {
        Mix_Volume(-1, MixerVolume(volume));
    }
}

std::uint32_t PlatformAudio::OpenStream(const char* bytes, std::size_t size) {
    // Music is Ogg Vorbis only: nothing else reaches the mixer's other music decoders.
    if (!open_ || !bytes || size > static_cast<std::size_t>(INT32_MAX) || !IsOggVorbis(bytes, size)) {
        return 0;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    if (!source) {
        return 0;
    }
    Mix_Music* music = Mix_LoadMUSType_RW(source, MUS_OGG, 1);
    if (!music) {
        return 0;
    }
    auto stream = std::make_unique<Stream>();
    stream->music = music;
    const std::uint32_t handle = nextHandle_++;
    streams_[handle] = std::move(stream);
    return handle;
}

void PlatformAudio::CloseStream(std::uint32_t stream) {
    if (stream != 0 && stream == playingStream_) {
        HaltMusic();
    }
    streams_.erase(stream);
}

int PlatformAudio::PlayStream(std::uint32_t stream, std::uint32_t startMilliseconds) {
    auto found = streams_.find(stream);
    if (!open_ || found == streams_.end()) {
        return -1;
    }
    HaltMusic();
    gCurrentPlay.store(++playingSerial_);
    Mix_Music* music = found->second->music;
    int result = Mix_FadeInMusicPos(music, 1, 0, startMilliseconds / 1000.0);
    if (result != 0 && startMilliseconds > 0) {
        // A position the decoder cannot reach: start the track from its beginning instead.
        result = Mix_FadeInMusicPos(music, 1, 0, 0.0);
    }
    if (result != 0) {
        return -1;
    }
    playingStream_ = stream;
    return channels_;
}

void PlatformAudio::StopStream(std::uint32_t stream) {
    if (stream != 0 && stream == playingStream_) {
        HaltMusic();
    }
}

void PlatformAudio::HaltMusic() {
    gHalting.store(true);
    Mix_HaltMusic();
    gHalting.store(false);
    // Any end recorded before the halt belongs to a play that is over now.
    gCurrentPlay.store(++playingSerial_);
    playingStream_ = 0;
}

bool PlatformAudio::IsStreamPlaying(std::uint32_t stream) const {
    return open_ && stream != 0 && stream == playingStream_ && Mix_PlayingMusic() != 0;
}

std::uint32_t PlatformAudio::StreamPosition(std::uint32_t stream) const {
    if (!IsStreamPlaying(stream)) {
        return 0;
    }
    auto found = streams_.find(stream);
    if (found == streams_.end()) {
        return 0;
    }
    const double seconds = Mix_GetMusicPosition(found->second->music);
    return seconds > 0.0 ? static_cast<std::uint32_t>(seconds * 1000.0) : 0;
}

std::uint32_t PlatformAudio::TakeEndedStream() {
    const std::uint32_t ended = gEndedPlay.exchange(0);
    if (ended == 0 || ended != gCurrentPlay.load() || playingStream_ == 0) {
        return 0;
    }
    const std::uint32_t stream = playingStream_;
    playingStream_ = 0;
    return stream;
}

void PlatformAudio::PauseAll(bool paused) {
    if (!open_) {
        return;
    }
    if (paused) {
        Mix_Pause(-1);
        Mix_PauseMusic();
    } else {
        Mix_Resume(-1);
        Mix_ResumeMusic();
    }
}

std::uint32_t PlatformAudio::WakeEventType() {
    return gWakeEventType.load();
}
