// The map's frame: the colour intro, line drops in both modes, winning by clearing, wobbles and burst
// effects.
#include "GameTestSupport.h"

#include "GameSprites.h"
#include "ZoCursorSprite.h"
#include "ZoRandom.h"
#include "ZoSysConfig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using gametest::Board;
using gametest::SoundEar;

namespace {

// Runs frames until the map is back in the ready state (or the limit passes); the frames it took.
int RunUntilReady(Board& board, int step, int limit = 2000) {
    int frames = 0;
    do {
        board.map->Update(step);
        ++frames;
    } while (board.map->MapState != GameMap::kReady && frames < limit);
    return frames;
}

} // namespace

TEST(IntroTest, ColoursAppearOneByOneThenTheLauncherIsLoaded) {
    Board board;
    SoundEar ear;
    SystemRandom().Seed(31);
    board.map->Reset(true);
    std::set<int> colours;
    for (int x = 0; x < 12; ++x) {
        for (int y = 0; y < 7; ++y) {
            colours.insert(board.map->Bubble(x, y)->BubbleID);
        }
    }
    board.map->Update(16);
    // The first frame of the intro loads the launcher from the colours on the board.
    ASSERT_NE(board.shooter->CurrentBubble(), nullptr);
    ASSERT_NE(board.map->NextBubble(), nullptr);
    EXPECT_TRUE(colours.count(board.shooter->CurrentBubble()->BubbleID));
    EXPECT_EQ(board.map->MapState, GameMap::kIntro);
    // No shot during the intro.
    board.AimAt(400, 100);
    board.Fire();
    EXPECT_FALSE(board.shooter->flying);
    RunUntilReady(board, 16);
    EXPECT_EQ(board.map->MapState, GameMap::kReady);
    // One "colour done" sound per colour, and every ball stands at its last frame.
    EXPECT_EQ(ear.Count(GameSound::LoadColorEnd), static_cast<int>(colours.size()));
    for (int x = 0; x < 12; ++x) {
        for (int y = 0; y < 7; ++y) {
            EXPECT_TRUE(board.map->Bubble(x, y)->Animation().finished);
        }
    }
    // The intro's colour count does not cost a line.
    EXPECT_FALSE(board.map->linePending);
    EXPECT_EQ(board.map->NumAddLines, 1);
    board.Fire();
    EXPECT_TRUE(board.shooter->flying);
}

TEST(LineDropTest, HardClassicFiveMissesBringALineThenFourMore) {
    ZoSysConfig::Instance().difficulty = 2;
    Board board;
    ZoSysConfig::Instance().difficulty = 2;
    board.map->Reset(false);
    EXPECT_EQ(board.map->NumMovesLeft, 4);
    EXPECT_EQ(board.map->NumBeginMoves, 4);
    EXPECT_EQ(board.map->NextNumBeginMoves, 3);
    board.map->MapState = GameMap::kReady;
    for (int i = 0; i < 4; ++i) {
        board.map->OnMiss();
        EXPECT_EQ(board.map->MapState, GameMap::kReady);
    }
    EXPECT_EQ(board.map->NumMovesLeft, 0);
    board.map->OnMiss();
    EXPECT_EQ(board.map->MapState, GameMap::kLineStart);
    EXPECT_EQ(board.map->NumMovesLeft, 3);
    board.map->MapState = GameMap::kReady;
    for (int i = 0; i < 3; ++i) {
        board.map->OnMiss();
    }
    EXPECT_EQ(board.map->MapState, GameMap::kReady);
    board.map->OnMiss();
    EXPECT_EQ(board.map->MapState, GameMap::kLineStart);
    ZoSysConfig::Instance().difficulty = 0;
}

TEST(LineDropTest, EasyClassicLineRhythm) {
    Board board;
    board.map->Reset(false);
    board.map->MapState = GameMap::kReady;
    std::vector<int> missesPerLine;
    int misses = 0;
    for (int i = 0; i < 60 && missesPerLine.size() < 8; ++i) {
        board.map->OnMiss();
        ++misses;
        if (board.map->MapState == GameMap::kLineStart) {
            missesPerLine.push_back(misses);
            misses = 0;
            board.map->MapState = GameMap::kReady;
        }
    }
    EXPECT_EQ(missesPerLine, (std::vector<int>{7, 6, 5, 4, 3, 2, 7, 6}));
}

TEST(LineDropTest, ARowDropsInAndEveryBallMovesDownOneRow) {
    Board board;
    SoundEar ear;
    SystemRandom().Seed(4);
    board.Fill({"012345012345", "1...........", "2..........."});
    board.Load(0, 1);
    BaseBubble* corner = board.map->Bubble(0, 2);
    board.map->StartLineDrop();
    board.map->Update(16);
    EXPECT_EQ(board.map->MapState, GameMap::kLinesDropping);
    EXPECT_EQ(ear.Count(GameSound::LineFall), 1);
    // Halfway the balls are halfway between their rows, sideways by half of R as well.
    board.map->Update(200);
    EXPECT_NEAR(board.map->LineDropProgress(), 0.5, 1e-9);
    EXPECT_NEAR(corner->position.y, 44 + 2 * 32 + 16, 0.01);
    EXPECT_NEAR(corner->position.x, 218 + 8, 0.01);
    // The new row runs through its frames in the second half; no shot meanwhile.
    board.AimAt(400, 100);
    board.Fire();
    EXPECT_FALSE(board.shooter->flying);
    board.map->Update(100);
    EXPECT_EQ(board.map->NewRowBubble(0)->Animation().currentFrame, 4);
    board.map->Update(120);
    EXPECT_EQ(board.map->MapState, GameMap::kInsertRow);
    board.map->Update(16);
    EXPECT_EQ(board.map->MapState, GameMap::kReady);
    const auto rows = board.Rows();
    EXPECT_EQ(rows[1], "012345012345");
    EXPECT_EQ(rows[2], "1...........");
    EXPECT_EQ(rows[3], "2...........");
    EXPECT_EQ(board.map->Bubble(0, 3), corner);
    EXPECT_EQ(corner->position, board.map->CellToPixel(0, 3));
    // The new row is full, of colours that were on the board.
    for (int x = 0; x < 12; ++x) {
        ASSERT_NE(board.map->Bubble(x, 0), nullptr);
        EXPECT_TRUE(board.map->Bubble(x, 0)->BubbleID >= 0 && board.map->Bubble(x, 0)->BubbleID <= 5);
        EXPECT_EQ(board.map->NewRowBubble(x), nullptr);
    }
    EXPECT_EQ(board.map->NumAddedeLines, 0);
}

TEST(LineDropTest, MovedRowsChangeNeighboursAndLooseBallsFall) {
    Board board;
    board.Fill({"1.1.........", ".2.........."});
    board.Load(1, 2);
    // (1, 1) in an odd row hangs from (1, 0)/(2, 0): (2, 0) holds it. After the move it sits in even row 2
    // under (0, 1)/(1, 1), which are the moved (0, 0) and an empty cell: still held.
    board.map->StartLineDrop();
    RunUntilReady(board, 16);
    EXPECT_EQ(board.map->Bubble(1, 2)->BubbleID, 2);
    EXPECT_TRUE(board.map->Falling().empty());
    // A ball held only by its right upper neighbour loses it when the rows swap parity.
    board.Fill({"..1.........", ".2.........."});
    board.map->StartLineDrop();
    RunUntilReady(board, 16);
    EXPECT_EQ(board.Rows()[1], "..1.........");
    EXPECT_EQ(board.Rows()[2], "............");
    ASSERT_EQ(board.map->Falling().size(), 1u);
    EXPECT_EQ(board.map->Falling()[0]->BubbleID, 2);
}

TEST(LineDropTest, TwoLinesPerDropPlayTheSoundTwice) {
    Board board;
    SoundEar ear;
    board.Fill({"012345012345"});
    board.Load(0, 1);
    board.map->NumAddLines = 2;
    board.map->StartLineDrop();
    RunUntilReady(board, 16);
    EXPECT_EQ(ear.Count(GameSound::LineFall), 2);
    EXPECT_EQ(board.Rows()[2], "012345012345");
    EXPECT_FALSE(board.map->IsRowEmpty(1));
    EXPECT_EQ(board.map->NumAddedeLines, 0);
}

TEST(LineDropTest, ADropIntoTheLastRowLosesTheGame) {
    Board board;
    std::vector<std::string> rows(13, "3...........");
    board.Fill(rows);
    board.Load(3, 3);
    board.map->StartLineDrop();
    for (int i = 0; i < 100 && GameValues().GameState == 0; ++i) {
        board.map->Update(16);
    }
    EXPECT_EQ(GameValues().GameState, 2);
    EXPECT_FALSE(board.map->IsRowEmpty(13));
}

TEST(LineDropTest, PendingLineWaitsForTheFallingBalls) {
    Board board;
    SoundEar ear;
    board.Fill({"1...........", "............", "......2....."});
    board.Load(1, 1);
    board.map->RemoveFloating();
    ASSERT_EQ(board.map->Falling().size(), 1u);
    board.map->linePending = true;
    board.map->Update(16);
    EXPECT_EQ(board.map->MapState, GameMap::kReady);
    EXPECT_EQ(ear.Count(GameSound::LineFall), 0);
    board.SettleFalling();
    EXPECT_FALSE(board.map->linePending);
    EXPECT_EQ(board.map->MapState, GameMap::kLinesDropping);
    EXPECT_EQ(ear.Count(GameSound::LineFall), 1);
}

TEST(ArcadeTest, TimeBringsTheLineAndAFlyingBallStopsTheClock) {
    Board board(true);
    board.Fill({"012345012345"});
    board.Load(0, 1);
    // 5-second steps: the first line after 35 seconds at the easy level, waiting or not.
    int time = 0;
    while (board.map->MapState == GameMap::kReady && time < 60000) {
        board.map->Update(20);
        time += 20;
    }
    // Each step needs more than 5000 ms: seven steps of 5020 ms at 20 ms frames.
    EXPECT_EQ(time, 7 * 5020);
    EXPECT_EQ(board.map->MapState, GameMap::kLineStart);
    RunUntilReady(board, 20);
    EXPECT_EQ(board.map->NumMovesLeft, 5);
    // A miss costs nothing in this mode.
    board.map->OnMiss();
    EXPECT_EQ(board.map->NumMovesLeft, 5);
    // While a ball flies the clock stands.
    const int before = board.map->ElapsedTime;
    board.AimAt(400, 300);
    board.Fire();
    ASSERT_TRUE(board.shooter->flying);
    board.map->Update(20);
    EXPECT_EQ(board.map->ElapsedTime, before);
    board.FlyUntilLanded(20);
    // The landing frame counts: the ball no longer flies when the clock is looked at.
    EXPECT_EQ(board.map->ElapsedTime, before + 20);
    board.map->Update(20);
    EXPECT_EQ(board.map->ElapsedTime, before + 40);
    // No game running: no clock.
    GameValues().GameState = 3;
    board.map->Update(20);
    EXPECT_EQ(board.map->ElapsedTime, before + 40);
    board.map->Reset(false);
    EXPECT_EQ(board.map->ElapsedTime, 0);
}

TEST(WinTest, ClearingTheBoardWinsAtOnceEvenWithALinePending) {
    Board board;
    board.Fill({"....22......"});
    board.Load(2, 2);
    board.map->NumMovesLeft = 0;
    board.AimAt(board.map->CellToPixel(6, 0).x + 2, 100);
    board.Fire();
    board.FlyUntilLanded();
    EXPECT_EQ(GameValues().GameState, 4);
    EXPECT_EQ(board.map->MapState, GameMap::kBoardCleared);
    EXPECT_TRUE(board.map->IsBoardEmpty());
    EXPECT_EQ(board.shooter->CurrentBubble(), nullptr);
    EXPECT_FALSE(board.shooter->flying);
    EXPECT_EQ(board.map->score, 30);
}

TEST(JiggleTest, PushesWobbleDecayAndPassOn) {
    Board board;
    board.Fill({"111........."});
    BaseBubble* middle = board.map->Bubble(1, 0);
    BaseBubble* left = board.map->Bubble(0, 0);
    const ZoVector rest = middle->position;
    middle->Push(rest + ZoVector(0, 10), 8.0);
    EXPECT_EQ(middle->jiggleState, 1);
    // A second push during the first 6 radians is ignored.
    middle->Push(rest + ZoVector(10, 0), 16.0);
    EXPECT_EQ(middle->amplitude, 8.0);
    middle->UpdateJiggle(40, *board.map); // phase 0.5: pushed away from the source, upwards
    EXPECT_LT(middle->position.y, rest.y);
    EXPECT_FLOAT_EQ(middle->position.x, rest.x);
    EXPECT_EQ(left->jiggleState, 0);
    // Past a quarter turn the neighbours (32 pixels away) get half the amplitude.
    for (int i = 0; i < 4; ++i) {
        middle->UpdateJiggle(20, *board.map);
    }
    EXPECT_FALSE(middle->propagated); // phase 1.5: not yet a quarter turn
    for (int i = 0; i < 2; ++i) {
        middle->UpdateJiggle(20, *board.map);
    }
    EXPECT_TRUE(middle->propagated);
    EXPECT_EQ(left->jiggleState, 1);
    EXPECT_EQ(left->amplitude, 4.0);
    // After 6 radians a new push restarts it from phase 0.
    for (int i = 0; i < 30; ++i) {
        middle->UpdateJiggle(16, *board.map);
    }
    ASSERT_GT(middle->phase, 6.0);
    middle->Push(rest + ZoVector(10, 0), 16.0);
    EXPECT_EQ(middle->phase, 0.0);
    EXPECT_EQ(middle->amplitude, 16.0);
    // It ends after 16 radians (about 1280 ms), close to where it started.
    for (int i = 0; i < 100 && middle->jiggleState != 0; ++i) {
        middle->UpdateJiggle(16, *board.map);
    }
    EXPECT_EQ(middle->jiggleState, 0);
    EXPECT_LT((middle->position - rest).Length(), 2.0f);
}

TEST(BurstTest, EffectLivesUntilItsLastParticleThenTheLayerDeletesIt) {
    Board board;
    SystemRandom().Seed(3);
    BaseBubble* ball = board.Put(4, 2, 3);
    ball->Burst();
    ZoSpriteLayer& layer = GameSprites::Instance().Layer();
    ASSERT_EQ(layer.Size(), 2u);
    const auto& entry = layer.Entries()[1];
    ASSERT_NE(entry.owned, nullptr);
    auto* effect = static_cast<BubbleDestroy*>(entry.object);
    EXPECT_EQ(effect->userValue, 1);
    EXPECT_EQ(effect->position.z, 16.0f);
    EXPECT_GE(effect->LiveCount(), 2);
    EXPECT_LE(effect->LiveCount(), 8);
    const int piece = effect->Particle(0).kind;
    EXPECT_TRUE(piece == 0 || piece == 1);
    EXPECT_EQ(effect->Particle(1).kind, piece);
    EXPECT_EQ(effect->Particle(2).kind, piece);
    for (int i = 3; i < effect->LiveCount(); ++i) {
        EXPECT_EQ(effect->Particle(i).kind, -1);
    }
    for (int i = 0; i < effect->LiveCount(); ++i) {
        EXPECT_GE(effect->Particle(i).remainingLifetime, 384);
        EXPECT_LE(effect->Particle(i).remainingLifetime, 896);
        EXPECT_EQ(effect->Particle(i).position, ball->position);
    }
    // Particles fall.
    ZoRenderDevice::Instance().BeginFrame();
    layer.UpdateAll(100);
    layer.DrawAll();
    ZoRenderDevice::Instance().EndFrame();
    EXPECT_GT(effect->Particle(0).velocity.y + 0.125f, 0.0f);
    for (int i = 0; i < 100 && effect->state != 2; ++i) {
        layer.UpdateAll(16);
    }
    EXPECT_EQ(effect->state, 2);
    EXPECT_EQ(layer.Size(), 2u);
    // Drawn after depth sorting: the ball (z 0) before the effect (z 16); the effect goes at this draw.
    ZoRenderDevice::Instance().BeginFrame();
    layer.DrawAll();
    ZoRenderDevice::Instance().EndFrame();
    EXPECT_EQ(layer.Size(), 1u);
    EXPECT_TRUE(layer.Contains(ball));
}

TEST(BurstTest, TwoParticleBurstStillMarksThreePieces) {
    Board board;
    const BubbleDestroy* prototype = GameSprites::Instance().BurstPrototype(0);
    ASSERT_NE(prototype, nullptr);
    BubbleDestroy effect(*prototype);
    effect.Emit(2);
    EXPECT_EQ(effect.LiveCount(), 2);
    EXPECT_EQ(effect.Particle(2).kind, effect.Particle(0).kind);
    ASSERT_NE(effect.Piece(0), nullptr);
    ASSERT_NE(effect.Piece(1), nullptr);
    EXPECT_NE(effect.Piece(0), prototype->Piece(0));
}

TEST(LayerTest, DeletedBallsLeaveTheLayer) {
    Board board;
    board.Fill({"123........."});
    EXPECT_EQ(GameSprites::Instance().Layer().Size(), 3u);
    board.map->TakeBubble(1, 0);
    EXPECT_EQ(GameSprites::Instance().Layer().Size(), 2u);
    board.map.reset();
    EXPECT_EQ(GameSprites::Instance().Layer().Size(), 0u);
}

TEST(CursorTest, CursorTakesTheColourAboutToBeFired) {
    Board board;
    ZoCursorSprite cursor;
    board.Fill({"3..........."});
    board.Load(3, 3);
    board.map->Update(16);
    EXPECT_EQ(cursor.Picture().PackedColour(), 0xFFFFF223u);
    board.Fill({"0..........."});
    board.Load(0, 0);
    board.map->Update(16);
    EXPECT_EQ(cursor.Picture().PackedColour(), 0xFF8C9AE8u);
}

TEST(JiggleTest, APassingBallNudgesBallsNearItsPath) {
    Board board;
    board.Fill(
        {"111111111111", "............", "............", "............", "............", "....2...2..."});
    board.Load(1, 1);
    BaseBubble* near = board.map->Bubble(4, 5); // 38 pixels left of the line x = 400
    BaseBubble* far = board.map->Bubble(8, 5);  // 90 pixels right of it
    board.AimAt(400, 100);
    board.Fire();
    for (int i = 0; i < 60 && near->jiggleState == 0; ++i) {
        board.map->Update(16);
    }
    // The first push comes as the ball closes in to 60 pixels (amplitude 8); later ones are ignored
    // while that wobble is young.
    EXPECT_NE(near->jiggleState, 0);
    EXPECT_EQ(near->amplitude, 8.0);
    EXPECT_LT(near->direction.x, 0.0f);
    EXPECT_EQ(far->jiggleState, 0);
}
