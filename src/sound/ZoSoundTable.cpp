// The game's effect table and its two music play lists.
#include "ZoSoundManager.h"

namespace {

struct SoundEntry {
    std::int32_t id;
    const char* path;
};

constexpr SoundEntry kSoundTable[] = {
    {0, "Data/Sounds/Interface/Void.Wav"},
    {1, "Data/Sounds/Interface/ButtonGetFocus.Wav"},
    {2, "Data/Sounds/Interface/ButtonClick.Wav"},
    {3, "Data/Sounds/Interface/OpenDialog.Wav"},
    {4, "Data/Sounds/Interface/CloseDialog.Wav"},
    {5, "Data/Sounds/Interface/Type.Ogg"},
    {10, "Data/Sounds/FireBall.Wav"},
    {11, "Data/Sounds/StopBall.Ogg"},
    {12, "Data/Sounds/BallDelete.Wav"},
    {100, "Data/Sounds/SeekScoreEnd.Wav"},
    {101, "Data/Sounds/ColorRemove.Wav"},
    {102, "Data/Sounds/LineFall.Ogg"},
    {103, "Data/Sounds/LoadColorEnd.Wav"},
    {104, "Data/Sounds/HitWall.Wav"},
    {110, "Data/Sounds/Swap.Ogg"},
};

} // namespace

int LoadSoundTable(ZoSoundManager& manager) {
    int loaded = 0;
    for (const SoundEntry& entry : kSoundTable) {
        if (manager.LoadSample(entry.id, entry.path, 0, false)) {
            ++loaded;
        }
    }
    return loaded;
}

void CreateMusicPlayLists(ZoSoundManager& manager) {
    auto menu = std::make_unique<ZoPlayList>(manager);
    menu->AddTrack("Data/Music/Menu.Ogg");
    // The same piece twice: each copy has its own stream and buffer.
    auto game = std::make_unique<ZoPlayList>(manager);
    game->AddTrack("Data/Music/A.Ogg");
    game->AddTrack("Data/Music/A.Ogg");
    manager.AddPlayList(0, std::move(menu));
    manager.AddPlayList(1, std::move(game));
    manager.SetPlayList(0);
    if (manager.MusicEnabled()) {
        manager.PlayMusic();
    }
}
