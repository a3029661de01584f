// A list of music tracks read from the archive and streamed from memory, with its shuffle.
#pragma once

#include "ZoAudioBackend.h"
#include "ZoResourceManager.h"

#include <cstdint>
#include <string>
#include <vector>

class ZoSoundManager;

// One track of a play list; a saved position of 0 means "start afresh".
struct ZoMusicSample {
    ZoStreamId stream = 0;
    std::uint32_t savedPosition = 0; // milliseconds
};

class ZoPlayList {
public:
    // A play list plays through the manager it is built for (the process-wide one in the game).
    explicit ZoPlayList(ZoSoundManager& manager);
    ZoPlayList();
    ~ZoPlayList();
    ZoPlayList(const ZoPlayList&) = delete;
    ZoPlayList& operator=(const ZoPlayList&) = delete;

    // Reads the track from the archive and opens its stream. A missing or undecodable file keeps its
    // name but adds no track, so the list plays the tracks that work.
    void AddTrack(const std::string& path);

    // Moves to the next track (shuffling after the last one) and starts it.
    void NextTrack();
    // Remembers where the current track is and stops it.
    void StopMusic();
    // Continues the current track where it stopped, or starts the next one when there is nothing saved.
    void ResumeMusic();
    // Plays the current track again from its start.
    void RestartTrack();

    std::int32_t Channel() const { return channel_; }
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<ZoMusicSample>& Tracks() const { return tracks_; }
    std::uint16_t CurrentIndex() const { return currentIndex_; }
    // The current track's stream, or 0 for an empty list.
    ZoStreamId CurrentStream() const;

private:
    void StartCurrentTrack();
    void Shuffle();

    ZoSoundManager& manager_;
    std::int32_t channel_ = -1;
    std::vector<std::string> names_;
    std::vector<ZoMusicSample> tracks_;
    std::vector<ZoFileBlock> buffers_; // each stream reads from its buffer until the list is destroyed
    std::uint16_t currentIndex_ = 0;
};
