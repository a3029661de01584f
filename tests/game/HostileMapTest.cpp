// A board file asking for more than the grid holds is cut down, and the game plays on it without overrun.
#include "GameMap.h"
#include "GameSprites.h"
#include "GraphicsTestSupport.h"
#include "Shooter.h"
#include "ZoRandom.h"

#include <gtest/gtest.h>

#include <memory>

TEST(HostileMapTest, OversizedBoardIsCutToTheGrid) {
    gfxtest::EnsureWorld();
    // Opened before anything else that holds a board file, so this one is read.
    gfxtest::OpenExtraArchive("Hostile",
                              {{"Data/Map.Txt", "xMax = 50\nyMax = 400\nBubbleRadius = 9\nxPlayerPos = 400\n"
                                                "yPlayerPos = 539\n"}});
    auto map = std::make_unique<GameMap>();
    GameValues().GameState = 0; // a game runs: lines drop
    EXPECT_EQ(GameValues().xMax, 20);
    EXPECT_EQ(GameValues().yMax, 20);
    map->ComputeWalls();
    SystemRandom().Seed(1);
    map->Reset(true);
    EXPECT_EQ(map->CountBubbles(), 20 * 10);
    // Every cell of the cut board is reachable; nothing beyond it is.
    EXPECT_NE(map->PixelToCell(map->CellToPixel(19, 19)), kNoCell);
    EXPECT_FALSE(map->SetBubble(0, 20, GameSprites::Instance().MakeBubble(0)));

    // A shot, a line drop and the removal of floating balls run over the whole grid.
    Shooter shooter;
    shooter.SetMap(map.get());
    map->SetShooter(&shooter);
    for (int frame = 0; frame < 300; ++frame) {
        map->Update(16);
    }
    EXPECT_EQ(map->MapState, GameMap::kReady);
    shooter.HandleMouse(0, Shooter::kMouseMove, 300, 100);
    shooter.HandleMouse(Shooter::kReleasedLeft, 0x202, 0, 0);
    for (int frame = 0; frame < 200 && shooter.flying; ++frame) {
        map->Update(16);
    }
    EXPECT_FALSE(shooter.flying);
    map->StartLineDrop();
    for (int frame = 0; frame < 100; ++frame) {
        map->Update(16);
    }
    EXPECT_GT(map->CountBubbles(), 200);
}

TEST(HostileMapTest, BoardWithoutCellsIsSafe) {
    gfxtest::EnsureWorld();
    auto map = std::make_unique<GameMap>();
    GameValues().xMax = 0;
    GameValues().yMax = 0;
    map->Reset(true);
    EXPECT_TRUE(map->IsBoardEmpty());
    EXPECT_FALSE(map->CheckGameOver());
    map->RemoveFloating();
    EXPECT_EQ(map->PixelToFreeCell({400, 44}), kNoCell);
}
