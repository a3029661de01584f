// Arbitrary bytes as a saved game: checked, and when accepted restored onto a board and written back.
#include "GameMap.h"
#include "GameSprites.h"
#include "SavedGame.h"
#include "Shooter.h"
#include "ZoTextTree.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ZoTextTree tree;
    tree.LoadMemory(reinterpret_cast<const char*>(data), static_cast<std::int32_t>(size));
    SavedGame saved;
    if (!saved.FromTree(tree)) {
        return 0;
    }
    // No archive here: the board takes its size from the shared values, as the game's layout gives them.
    GameSprites::Instance().Layer().Clear();
    GameMap map;
    GameGlobals& values = GameValues();
    values.xMax = 12;
    values.yMax = 14;
    values.BubbleRadius = 16;
    Shooter shooter;
    map.SetShooter(&shooter);
    shooter.SetMap(&map);
    map.SetLayer(&GameSprites::Instance().Layer());
    saved.Restore(map, shooter);
    SavedGame again;
    if (!again.Capture(saved.gameId, map, shooter)) {
        __builtin_trap();
    }
    ZoTextTree out;
    again.ToTree(out);
    (void)out.Serialize();
    map.SetShooter(nullptr);
    GameSprites::Instance().Layer().Clear();
    return 0;
}
