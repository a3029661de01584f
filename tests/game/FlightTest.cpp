// Aiming, firing, swapping, the planned path with its wall bounces, landing in the grid and the refill
// colour.
#include "GameTestSupport.h"

#include "GameSprites.h"
#include "ZoRandom.h"

#include <gtest/gtest.h>

#include <cmath>

using gametest::Board;
using gametest::SoundEar;

namespace {

// Where a line from a through b first reaches y (for the analytic checks of bounces).
float XAtY(const ZoVector& a, const ZoVector& direction, float y) {
    return a.x + direction.x * (y - a.y) / direction.y;
}

} // namespace

TEST(AimTest, MouseAimsAndIsLimitedAtTheWalls) {
    Board board;
    board.AimAt(400, 100);
    EXPECT_NEAR(board.shooter->AimDirection().x, 0.0f, 1e-6);
    EXPECT_NEAR(board.shooter->AimDirection().y, -1.0f, 1e-6);
    board.AimAt(500, 470);
    const ZoVector aimed = board.shooter->AimDirection();
    EXPECT_NEAR(aimed.x, 100.0f / std::sqrt(100.0f * 100.0f + 100.0f * 100.0f), 1e-5);
    // Below the launcher (and level with it) the aim stays as it was.
    board.AimAt(100, 590);
    EXPECT_EQ(board.shooter->AimDirection(), aimed);
    board.AimAt(100, 570);
    EXPECT_EQ(board.shooter->AimDirection(), aimed);
    // Into a side wall below y = 490: snapped to the point (wall x, 490).
    board.AimAt(100, 560);
    const ZoVector left = ZoVector(218 - 400, 490 - 570, 0).Normalized();
    EXPECT_NEAR(board.shooter->AimDirection().x, left.x, 1e-5);
    EXPECT_NEAR(board.shooter->AimDirection().y, left.y, 1e-5);
    board.AimAt(790, 565);
    const ZoVector right = ZoVector(586 - 400, 490 - 570, 0).Normalized();
    EXPECT_NEAR(board.shooter->AimDirection().x, right.x, 1e-5);
    EXPECT_NEAR(board.shooter->AimDirection().y, right.y, 1e-5);
    // Meeting the wall above 490 is allowed as it is.
    board.AimAt(218, 300);
    const ZoVector free = ZoVector(218 - 400, 300 - 570, 0).Normalized();
    EXPECT_NEAR(board.shooter->AimDirection().x, free.x, 1e-5);
}

TEST(FlightTest, StraightShotIntoTheCeilingLandsInRowZero) {
    Board board;
    SoundEar ear;
    board.Fill({"32.........."});
    board.Load(2, 3);
    board.AimAt(400, 100);
    board.Fire();
    ASSERT_TRUE(board.shooter->flying);
    // Straight up from (400, 539): the ceiling point (400, 44) lies in the square of cell (6, 0).
    ASSERT_EQ(board.map->Path().size(), 2u);
    EXPECT_EQ(board.map->TargetCell(), ZoCell(6, 0));
    EXPECT_EQ(board.map->Path()[0], ZoVector(400, 539));
    EXPECT_EQ(board.map->Path()[1], ZoVector(410, 44));
    EXPECT_EQ(ear.Take(), std::vector<int>{GameSound::FireBall});

    const int time = board.FlyUntilLanded(10);
    // 0.9 pixels per ms over about 495 pixels.
    const float distance = (ZoVector(410, 44) - ZoVector(400, 539)).Length();
    EXPECT_NEAR(time, distance / 0.9f, 10.0f);
    ASSERT_NE(board.map->Bubble(6, 0), nullptr);
    EXPECT_EQ(board.map->Bubble(6, 0)->BubbleID, 2);
    // It wobbles on landing, then comes to rest at its cell's centre.
    for (int t = 0; t < 1500; t += 10) {
        board.map->Update(10);
    }
    EXPECT_NEAR(board.map->Bubble(6, 0)->position.x, 410.0f, 0.5f);
    EXPECT_NEAR(board.map->Bubble(6, 0)->position.y, 44.0f, 0.5f);
    EXPECT_TRUE(GameSprites::Instance().Layer().Contains(board.map->Bubble(6, 0)));
    EXPECT_FALSE(board.shooter->flying);
    // The next ball moved into the launcher; a new next ball was drawn.
    ASSERT_NE(board.shooter->CurrentBubble(), nullptr);
    EXPECT_EQ(board.shooter->CurrentBubble()->BubbleID, 3);
    ASSERT_NE(board.map->NextBubble(), nullptr);
    // No burst: a miss, and no colour vanished.
    EXPECT_EQ(board.map->NumMovesLeft, 5);
    EXPECT_EQ(ear.Take(), std::vector<int>{GameSound::StopBall});
}

TEST(FlightTest, ShotStopsNextToTheFirstBallItMeets) {
    Board board;
    board.Fill({"111111111111", "1..........2"});
    board.Load(2, 1);
    board.AimAt(400, 100);
    board.Fire();
    // The line x = 400 passes 10 pixels from (6, 0) at (410, 44); it lands below it in row 1.
    EXPECT_EQ(board.map->HitPosition(), ZoVector(410, 44));
    EXPECT_EQ(board.map->TargetCell(), ZoCell(5, 1));
    ASSERT_EQ(board.map->Path().size(), 2u);
    EXPECT_EQ(board.map->Path()[1], board.map->CellToPixel(5, 1));
    board.FlyUntilLanded();
    ASSERT_NE(board.map->Bubble(5, 1), nullptr);
    EXPECT_EQ(board.map->Bubble(5, 1)->BubbleID, 2);
    const auto around = GameMap::Neighbours(5, 1);
    EXPECT_NE(std::find(around.begin(), around.end(), ZoCell(6, 0)), around.end());
}

TEST(FlightTest, ShotLandsBelowABallDeepInTheBoard) {
    Board board;
    board.Fill({"444444444441", "444444444444", "44444.444444", "4444...44444", "...2........"});
    board.Load(1, 4);
    // Aimed at the lone ball (3, 4) at (330, 172) from the launcher.
    board.AimAt(330, 172);
    board.Fire();
    const ZoCell target = board.map->TargetCell();
    EXPECT_EQ(board.map->HitPosition(), board.map->CellToPixel(3, 4));
    // It ends in a free cell that touches the ball it struck.
    const auto around = GameMap::Neighbours(target.x, target.y);
    EXPECT_NE(std::find(around.begin(), around.end(), ZoCell(3, 4)), around.end());
    EXPECT_EQ(board.map->Bubble(target.x, target.y), nullptr);
    board.FlyUntilLanded();
    ASSERT_NE(board.map->Bubble(target.x, target.y), nullptr);
    EXPECT_EQ(board.map->Bubble(target.x, target.y)->BubbleID, 1);
}

TEST(FlightTest, OneWallBounce) {
    Board board;
    SoundEar ear;
    board.Fill({"..........50"});
    board.Load(0, 5);
    board.AimAt(218, 300);
    board.Fire();
    const auto& path = board.map->Path();
    ASSERT_EQ(path.size(), 3u);
    const ZoVector aim = board.shooter->AimDirection();
    // The bounce point lies on the left wall, on the aiming line.
    EXPECT_FLOAT_EQ(path[1].x, 218.0f);
    EXPECT_NEAR(path[1].y, path[0].y + aim.y * (218.0f - path[0].x) / aim.x, 0.01f);
    // Mirrored, the ball reaches the ceiling in the square of the target cell.
    const ZoVector mirrored(-aim.x, aim.y, 0.0f);
    const ZoVector ceilingPoint(XAtY(path[1], mirrored, 44.0f), 44.0f);
    EXPECT_EQ(board.map->TargetCell(), board.map->PixelToCell(ceilingPoint));
    EXPECT_EQ(path[2], board.map->CellToPixel(board.map->TargetCell().x, 0));
    ear.Take();
    board.FlyUntilLanded();
    // One bounce, one knock on the wall.
    const std::vector<int> heard = ear.Take();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), GameSound::HitWall), 1);
    EXPECT_NE(board.map->Bubble(board.map->TargetCell().x, 0), nullptr);
}

TEST(FlightTest, TwoWallBouncesAndNoPointTwice) {
    Board board;
    SoundEar ear;
    board.Fill({"5.........0."});
    board.Load(0, 5);
    board.AimAt(218, 450);
    board.Fire();
    const auto& path = board.map->Path();
    ASSERT_EQ(path.size(), 4u);
    EXPECT_FLOAT_EQ(path[1].x, 218.0f);
    EXPECT_FLOAT_EQ(path[2].x, 586.0f);
    EXPECT_LT(path[2].y, path[1].y);
    for (std::size_t i = 1; i < path.size(); ++i) {
        EXPECT_GT((path[i] - path[i - 1]).Length(), 1.0f) << "leg " << i;
    }
    // Each leg keeps the slope: 368 pixels across rise by the same height.
    const ZoVector aim = board.shooter->AimDirection();
    EXPECT_NEAR(path[1].y - path[2].y, 368.0f * std::fabs(aim.y / aim.x), 0.05f);
    ear.Take();
    board.FlyUntilLanded();
    const std::vector<int> heard = ear.Take();
    EXPECT_EQ(std::count(heard.begin(), heard.end(), GameSound::HitWall), 2);
    EXPECT_EQ(board.map->Bubble(board.map->TargetCell().x, board.map->TargetCell().y)->BubbleID, 0);
}

TEST(FlightTest, ShortLastLegAfterABounceIsDropped) {
    Board board;
    board.Fill({"..........05"});
    board.Load(0, 5);
    // Meets the left wall 8 pixels below the ceiling: the leg after the bounce is far shorter than 1.5 R.
    board.AimAt(218, 52);
    board.Fire();
    ASSERT_EQ(board.map->Path().size(), 2u);
    EXPECT_EQ(board.map->TargetCell(), ZoCell(0, 0));
    EXPECT_EQ(board.map->Path()[1], ZoVector(218, 44));
}

TEST(FlightTest, FiringNeedsAReadyBoardAndAReloadedLauncher) {
    Board board;
    board.Fill({"50.........."});
    board.Load(0, 5);
    board.AimAt(400, 100);
    board.map->MapState = GameMap::kLinesDropping;
    board.Fire();
    EXPECT_FALSE(board.shooter->flying);
    board.map->MapState = GameMap::kReady;
    board.map->linePending = true;
    board.Fire();
    EXPECT_FALSE(board.shooter->flying);
    board.map->linePending = false;
    board.Fire();
    ASSERT_TRUE(board.shooter->flying);
    EXPECT_EQ(board.shooter->reloadCountdown, 500);
    board.FlyUntilLanded(16);
    // The reload counts down with the launcher's own update.
    EXPECT_GT(board.shooter->reloadCountdown, 0);
    board.shooter->UpdateShooter(200);
    board.Fire();
    EXPECT_FALSE(board.shooter->flying);
    board.shooter->UpdateShooter(1000);
    EXPECT_EQ(board.shooter->reloadCountdown, 0);
    board.Fire();
    EXPECT_TRUE(board.shooter->flying);
}

TEST(FlightTest, RecoilKicksBackAndReturns) {
    Board board;
    board.Fill({"50.........."});
    board.Load(0, 5);
    board.AimAt(400, 100);
    board.Fire();
    EXPECT_TRUE(board.shooter->recoilActive);
    board.shooter->UpdateShooter(66); // t = 0.495: close to the 6 pixel peak
    EXPECT_NEAR(board.shooter->Launcher().position.y, 576.0f, 0.1f);
    board.shooter->UpdateShooter(70);
    EXPECT_FALSE(board.shooter->recoilActive);
    EXPECT_EQ(board.shooter->Launcher().position, ZoVector(400, 570));
}

TEST(SwapTest, SwapsDifferentColoursOnlyAndSilently) {
    Board board;
    SoundEar ear;
    board.Fill({"12........."});
    board.Load(1, 2);
    board.shooter->HandleMouse(Shooter::kReleasedRight, 0x205, 0, 0);
    EXPECT_EQ(board.shooter->CurrentBubble()->BubbleID, 2);
    EXPECT_EQ(board.map->NextBubble()->BubbleID, 1);
    EXPECT_EQ(ear.Take(), std::vector<int>{GameSound::Swap});
    board.Load(2, 2);
    board.shooter->HandleMouse(Shooter::kReleasedRight, 0x205, 0, 0);
    EXPECT_EQ(board.shooter->CurrentBubble()->BubbleID, 2);
    EXPECT_TRUE(ear.Take().empty());
    // Not while a ball flies.
    board.Load(1, 2);
    board.AimAt(400, 100);
    board.Fire();
    ear.Take();
    board.shooter->HandleMouse(Shooter::kReleasedRight, 0x205, 0, 0);
    EXPECT_EQ(board.shooter->CurrentBubble()->BubbleID, 1);
    EXPECT_TRUE(ear.Take().empty());
}

TEST(ColourTest, ChooseColourWeightsTheSmallestPresentColourDouble) {
    Board board;
    board.Fill({"4.1........."});
    board.map->MapState = GameMap::kReady;
    board.map->RefreshColours();
    ASSERT_EQ(board.map->Colours().size(), 2u);
    SystemRandom().Seed(2024);
    ZoRandom copy;
    copy.Seed(2024);
    int ones = 0;
    for (int i = 0; i < 600; ++i) {
        const int r = copy.Below(3);
        const int chosen = board.map->ChooseColour();
        EXPECT_EQ(chosen, r <= 1 ? 1 : 4);
        ones += chosen == 1 ? 1 : 0;
    }
    EXPECT_GT(ones, 340);
    EXPECT_LT(ones, 460);
    // No colour left: the out-of-range answer, never a crash.
    board.Fill({});
    board.map->RefreshColours();
    EXPECT_EQ(board.map->ChooseColour(), 16);
}

TEST(ColourTest, RefillComesOnlyFromColoursStillOnTheBoard) {
    Board board;
    SoundEar ear;
    SystemRandom().Seed(9);
    board.Fill({"22.33......."});
    board.Load(2, 2);
    // The third 2 bursts the pair; only colour 3 remains.
    board.AimAt(282, 100);
    board.Fire();
    EXPECT_EQ(board.map->TargetCell(), ZoCell(2, 0));
    board.FlyUntilLanded();
    EXPECT_EQ(board.Rows()[0], "...33.......");
    ASSERT_EQ(board.map->Colours().size(), 1u);
    EXPECT_TRUE(board.map->HasColour(3));
    // The next ball (a 2) was replaced: both balls now carry colour 3.
    EXPECT_EQ(board.shooter->CurrentBubble()->BubbleID, 3);
    EXPECT_EQ(board.map->NextBubble()->BubbleID, 3);
    // A vanished colour brings a line sooner and one more line per drop.
    EXPECT_EQ(ear.Count(GameSound::ColorRemove), 1);
    EXPECT_EQ(board.map->NumBeginMoves, 5);
    EXPECT_EQ(board.map->NumAddLines, 2);
    // Nothing falls, so the line starts in that same frame.
    EXPECT_FALSE(board.map->linePending);
    EXPECT_EQ(board.map->MapState, GameMap::kLinesDropping);

    // Many refills with a seeded generator: never a colour that is not on the board.
    board.Fill({"0..5.......", "............"});
    board.map->RefreshColours();
    for (int i = 0; i < 50; ++i) {
        board.map->LoadShooter();
        const int colour = board.map->NextBubble()->BubbleID;
        EXPECT_TRUE(colour == 0 || colour == 5) << colour;
    }
}

TEST(ColourTest, NoColourLeftEmptiesTheLauncher) {
    Board board;
    board.Load(1, 1);
    board.Fill({});
    board.map->LoadShooter();
    EXPECT_EQ(board.shooter->CurrentBubble(), nullptr);
    EXPECT_EQ(board.map->NextBubble(), nullptr);
}
