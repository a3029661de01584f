// Groups that burst, balls that fall, the score, the bonus for bursting runs and the lost game.
#include "GameTestSupport.h"

#include "GameSprites.h"
#include "ZoRandom.h"

#include <gtest/gtest.h>

#include <algorithm>

using gametest::Board;
using gametest::SoundEar;

namespace {

// Lands a ball of the colour in the cell as a shot would hand it over.
void Land(Board& board, int x, int y, int colour) {
    board.Put(x, y, colour);
    board.map->OnBubbleAttached(x, y, colour);
    board.map->RemoveFloating();
}

} // namespace

TEST(MatchTest, ThreeBurstTwoDoNot) {
    Board board;
    SoundEar ear;
    board.map->MapState = GameMap::kReady;
    board.Fill({"11.3........"});
    Land(board, 2, 0, 3); // two 3s: a miss
    EXPECT_EQ(board.Rows()[0], "1133........");
    EXPECT_EQ(board.map->score, 0);
    EXPECT_EQ(board.map->NumMovesLeft, 5);
    EXPECT_EQ(ear.Count(GameSound::BallDelete), 0);
    board.Fill({"11.3........"});
    Land(board, 2, 0, 1); // three 1s burst
    EXPECT_EQ(board.Rows()[0], "...3........");
    EXPECT_EQ(board.map->score, 30);
    EXPECT_EQ(board.map->LongestCombo, 1);
    EXPECT_EQ(ear.Count(GameSound::BallDelete), 1);
    // Each burst ball left an effect in the layer.
    int effects = 0;
    for (const auto& entry : GameSprites::Instance().Layer().Entries()) {
        effects += entry.owned != nullptr ? 1 : 0;
    }
    EXPECT_EQ(effects, 3);
}

TEST(MatchTest, GroupsFollowTheOffsetRows) {
    Board board;
    board.map->MapState = GameMap::kReady;
    // (3, 1) in an odd row touches (3, 0) and (4, 0) above it.
    board.Fill({"...22.......", "............"});
    Land(board, 3, 1, 2);
    EXPECT_EQ(board.map->CountBubbles(), 0);
    // (3, 2) in an even row touches (2, 1) and (3, 1) above, not (4, 1).
    board.map->score = 0;
    board.Fill({"555555555555", "....22......", "............"});
    Land(board, 3, 2, 2);
    EXPECT_EQ(board.map->Group().size(), 1u);
    EXPECT_EQ(board.map->score, 0);
    EXPECT_EQ(board.Rows()[1], "....22......");
    board.Fill({"555555555555", "...2........", "....2......."});
    Land(board, 3, 2, 2);
    EXPECT_EQ(board.Rows()[1], "............");
    EXPECT_EQ(board.Rows()[2], "............");
    // A long winding group is found whole, each cell once.
    board.map->score = 0;
    board.Fill({"111111111111", "0.0.0.0.0.0.", ".0.0.0.0.0.0", "000000000000"});
    board.map->OnBubbleAttached(0, 1, 0);
    // Winding groups of 0 reach from row 1 down to row 3: rows 1-3 burst completely.
    // 6 + 6 + 12 balls: bursts of 24 are worth 10 x 3 + 20 x 3 + ... + 80 x 3.
    EXPECT_EQ(board.map->score, 3 * (10 + 20 + 30 + 40 + 50 + 60 + 70 + 80));
    EXPECT_EQ(board.Rows()[1], "............");
    EXPECT_EQ(board.Rows()[3], "............");
}

TEST(MatchTest, BurstRemovesOnlyItsColourAndLetsHangersFall) {
    Board board;
    SoundEar ear;
    SystemRandom().Seed(5);
    board.map->MapState = GameMap::kReady;
    // Four 3s in row 0 centre; 4s hang only from them; the 5 at the side hangs from the ceiling.
    board.Fill({"5..3333.....", "5..4..4.....", "...4........"});
    Land(board, 3, 0, 3); // replaces the 3 with another 3: a group of 4
    EXPECT_EQ(board.map->score, 50);
    // The three 4s fall: out of the grid, still drawn, moving down.
    EXPECT_EQ(board.Rows()[0], "5...........");
    EXPECT_EQ(board.Rows()[1], "5...........");
    EXPECT_EQ(board.Rows()[2], "............");
    ASSERT_EQ(board.map->Falling().size(), 3u);
    for (const auto& bubble : board.map->Falling()) {
        EXPECT_EQ(bubble->BubbleID, 4);
        EXPECT_GE(bubble->velocity.y, 0.09f);
        EXPECT_LE(bubble->velocity.y, 0.135f);
        EXPECT_TRUE(GameSprites::Instance().Layer().Contains(bubble.get()));
    }
    const float startY = board.map->Falling()[0]->position.y;
    ear.Take();
    // The first one goes 128 ms after the burst, the next ones every 64 ms or more.
    board.map->Update(64);
    EXPECT_EQ(board.map->Falling().size(), 3u);
    EXPECT_GT(board.map->Falling()[0]->position.y, startY);
    board.map->Update(64);
    EXPECT_EQ(board.map->Falling().size(), 3u);
    board.map->Update(1);
    EXPECT_EQ(board.map->Falling().size(), 2u);
    EXPECT_EQ(board.map->score, 50 + 70);
    board.map->Update(64);
    EXPECT_EQ(board.map->Falling().size(), 2u);
    board.map->Update(1);
    EXPECT_EQ(board.map->Falling().size(), 1u);
    board.SettleFalling();
    // A burst of 4 scores 50, three falling balls 3 x 70.
    EXPECT_EQ(board.map->score, 50 + 210);
    // Every other falling ball makes a sound.
    const std::vector<int> heard = ear.Take();
    const int deletes = static_cast<int>(std::count(heard.begin(), heard.end(), GameSound::BallDelete));
    EXPECT_GE(deletes, 1);
    EXPECT_LE(deletes, 2);
    EXPECT_EQ(board.map->RemovalClock(), 64);
}

TEST(MatchTest, ChainsHangingFromTheCeilingStay) {
    Board board;
    board.map->MapState = GameMap::kReady;
    // A zig-zag chain from (0, 0) down to row 5, and a loose island in the middle.
    board.Fill(
        {"1...........", "1...........", "1...........", "1...........", "1.....22....", "1..........."});
    board.map->RemoveFloating();
    EXPECT_EQ(board.map->CountBubbles(), 6);
    EXPECT_EQ(board.map->Falling().size(), 2u);
    EXPECT_EQ(board.Rows()[4], "1...........");
    // A ball in row 0 always hangs, whatever its neighbours.
    board.Fill({"....3......."});
    board.map->RemoveFloating();
    EXPECT_EQ(board.map->CountBubbles(), 1);
}

TEST(MatchTest, AddScoreSteps) {
    Board board;
    const int expected[] = {0, 10, 20, 30, 50, 70, 90, 120, 150, 180, 220};
    for (int n = 0; n <= 10; ++n) {
        board.map->score = 0;
        board.map->AddScore(n);
        EXPECT_EQ(board.map->score, expected[n]) << n;
    }
    board.map->score = 0;
    board.map->AddScore(5);
    EXPECT_EQ(board.map->score, 70);
}

TEST(MatchTest, BonusForTheThirdBurstInARowAndAfter) {
    Board board;
    board.map->MapState = GameMap::kReady;
    const auto burst = [&board] {
        board.Fill({"22..........", "555555555555"});
        Land(board, 2, 0, 2);
    };
    const auto miss = [&board] {
        board.Fill({"2...........", "555555555555"});
        Land(board, 5, 0, 4);
    };
    burst();
    burst();
    EXPECT_EQ(board.map->LongestCombo, 2);
    EXPECT_EQ(board.map->TripleBonus, 0);
    burst();
    EXPECT_EQ(board.map->TripleBonus, 25);
    burst();
    EXPECT_EQ(board.map->TripleBonus, 50);
    miss();
    EXPECT_EQ(board.map->LongestCombo, 0);
    burst();
    burst();
    EXPECT_EQ(board.map->TripleBonus, 50);
    burst();
    EXPECT_EQ(board.map->TripleBonus, 75);
}

TEST(GameOverTest, BallInTheLastRowLosesUnlessItsBurstClearsIt) {
    Board board;
    board.map->MapState = GameMap::kReady;
    std::vector<std::string> rows(14, "1...........");
    rows[12] = "1.3.........";
    rows[13] = "............";
    board.Fill(rows);
    Land(board, 2, 13, 4);
    EXPECT_EQ(GameValues().GameState, 2);
    EXPECT_EQ(board.map->MapState, GameMap::kReady);

    // A burst elsewhere does not save the game: column 0 still reaches the last row.
    GameValues().GameState = 0;
    rows[12] = "1.33........";
    rows[13] = "1...........";
    board.Fill(rows);
    board.Put(1, 12, 3);
    Land(board, 2, 13, 3);
    EXPECT_EQ(board.Rows()[12], "1...........");
    EXPECT_EQ(board.Rows()[13], "1...........");
    EXPECT_EQ(GameValues().GameState, 2);

    // The landing in the last row bursts its group, and the 4 hanging from it falls: the row is empty.
    GameValues().GameState = 0;
    rows.assign(14, "............");
    for (int y = 0; y < 12; ++y) {
        rows[y] = "5...........";
    }
    rows[12] = "533.........";
    board.Fill(rows);
    board.Put(2, 13, 4);
    const std::size_t fallingBefore = board.map->Falling().size();
    Land(board, 1, 13, 3);
    EXPECT_TRUE(board.map->IsRowEmpty(13));
    ASSERT_EQ(board.map->Falling().size(), fallingBefore + 1);
    EXPECT_EQ(board.map->Falling().back()->BubbleID, 4);
    EXPECT_EQ(GameValues().GameState, 0);
    EXPECT_FALSE(board.map->CheckGameOver());
}
