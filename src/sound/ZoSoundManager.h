// The game's one sound manager: effects by number, music from play lists, volumes and pausing.
#pragma once

#include "ZoAudioBackend.h"
#include "ZoPlayList.h"
#include "ZoResourceManager.h"
#include "ZoVector.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

// Reads a game file the way ZoResourceManager::GetFile does (-1 missing, 0 unreadable, else the size).
using ZoSoundFileReader = std::function<std::int32_t(const std::string& name, ZoFileBlock& buffer)>;

class ZoSoundManager {
public:
    static constexpr int kOutputRate = 48000;
    static constexpr int kInitRetries = 10;
    static constexpr int kInitRetryMilliseconds = 100;
    // Start-up never waits longer than this for an audio device.
    static constexpr std::uint32_t kInitBudgetMilliseconds = 1100;
    static constexpr int kDefaultVolume = 96;
    // A volume below this switches its half of the sound off.
    static constexpr int kAudibleVolume = 16;

    // The process-wide manager, playing through the SDL mixer of the platform layer.
    static ZoSoundManager& Instance();

    // A manager over any backend (tests use a recording one); files come from the resource archives.
    explicit ZoSoundManager(std::unique_ptr<ZoAudioBackend> backend);
    ~ZoSoundManager();
    ZoSoundManager(const ZoSoundManager&) = delete;
    ZoSoundManager& operator=(const ZoSoundManager&) = delete;

    // Starts the output (retrying for about a second) and takes both volumes from the options.
    // False leaves the game silent; every other operation stays safe to call.
    bool Init();
    bool Init(int soundVolume, int musicVolume);

    // Loads an effect from the archive under id, replacing an earlier one. The last two values are
    // accepted for the callers' sake: every effect of the game is a plain 2-D sample.
    bool LoadSample(std::int32_t id, const std::string& path, std::int32_t unused = 0, bool is3D = false);
    // Id 0 means "no sound". The channel, or -1 when nothing plays. Positions have no audible effect on
    // 2-D samples, which are all the game has.
    std::int32_t PlaySound(std::int32_t id, const ZoVector* position = nullptr);

    // Takes ownership of the list under id (replacing an earlier one). Always true.
    bool AddPlayList(std::int32_t id, std::unique_ptr<ZoPlayList> playList);
    // Stops the current list (keeping its position) and makes list id current; null when there is none.
    ZoPlayList* SetPlayList(std::int32_t id);
    // Starts or continues the current list when music is switched on.
    void PlayMusic();
    // The play-list operations, on the current list (nothing when there is none).
    void NextTrack();
    void StopMusic();
    void ResumeMusic();
    void RestartTrack();

    // Low 8 bits used; applied to the music channel at once.
    void SetMusicVolume(std::int32_t volume);
    // Applied to every effect channel, only while effects are switched on.
    void SetSoundVolume(std::int32_t volume);
    // Pauses or resumes every effect and the music (the application going inactive and back).
    void PauseAll(bool paused);
    // Frees every play list and sample and closes the output. Safe to call twice.
    void Shutdown();

    // Called once per pass of the main loop, on the main thread: acts on a track that reached its end.
    void Poll();

    // The two switches the options dialog sets directly.
    bool SoundEnabled() const { return soundEnabled_; }
    void SetSoundEnabled(bool enabled) { soundEnabled_ = enabled; }
    bool MusicEnabled() const { return musicEnabled_; }
    void SetMusicEnabled(bool enabled) { musicEnabled_ = enabled; }
    int SoundVolume() const { return soundVolume_; }
    int MusicVolume() const { return musicVolume_; }

    bool IsOpen() const { return open_; }
    int InitAttempts() const { return initAttempts_; }
    bool HasSample(std::int32_t id) const { return samples_.count(id) != 0; }
    ZoPlayList* CurrentPlayList() const { return currentPlayList_; }
    ZoPlayList* GetPlayList(std::int32_t id) const;

    // For the play lists.
    ZoAudioBackend& Backend() { return *backend_; }
    std::int32_t ReadFile(const std::string& name, ZoFileBlock& buffer) const;
    // Tests read files from memory instead of an archive; an empty reader restores the archives.
    void SetFileReader(ZoSoundFileReader reader);

private:
    void OnTrackEnd(ZoStreamId stream);

    std::unique_ptr<ZoAudioBackend> backend_;
    ZoSoundFileReader fileReader_;
    std::map<std::int32_t, ZoSampleId> samples_;
    int initAttempts_ = 0;
    bool soundEnabled_ = true;
    bool musicEnabled_ = true;
    int soundVolume_ = kDefaultVolume;
    int musicVolume_ = kDefaultVolume;
    std::map<std::int32_t, std::unique_ptr<ZoPlayList>> playLists_;
    ZoPlayList* currentPlayList_ = nullptr;
    // End notifications counted across all play lists: the first replays a track, the second moves on.
    int endCount_ = 0;
    bool open_ = false;
};

// Loads the game's table of effects (ids 0-5, 10-12, 100-104, 110); the number that loaded.
int LoadSoundTable(ZoSoundManager& manager = ZoSoundManager::Instance());
// Builds play list 0 (menu) and 1 (game), registers them, selects 0 and starts the music if it is on.
void CreateMusicPlayLists(ZoSoundManager& manager = ZoSoundManager::Instance());
