// Cells and pixels on the offset grid, neighbours, walls and ceiling, filling a new board.
#include "GameTestSupport.h"

#include "GameSprites.h"
#include "ZoRandom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using gametest::Board;

namespace {

void ExpectAt(const ZoVector& v, float x, float y) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, 0.0f);
}

} // namespace

TEST(GeometryTest, BoardFileGivesTwelveColumnsOfFourteenRowsAndWalls) {
    Board board;
    const GameGlobals& values = GameValues();
    EXPECT_EQ(values.xMax, 12);
    EXPECT_EQ(values.yMax, 14);
    EXPECT_EQ(values.BubbleRadius, 16);
    EXPECT_EQ(board.map->xPlayerPos, 400);
    EXPECT_EQ(board.map->yPlayerPos, 539);
    EXPECT_EQ(values.LeftWallX, 218);
    EXPECT_EQ(values.RightWallX, 586);
    EXPECT_EQ(values.CeilingY, 44);
    // Midway between the walls lies x = 402.
    EXPECT_EQ((values.LeftWallX + values.RightWallX) / 2, 402);
}

TEST(GeometryTest, CellCentresOnTheOffsetGrid) {
    Board board;
    ExpectAt(board.map->CellToPixel(0, 0), 218, 44);
    ExpectAt(board.map->CellToPixel(0, 1), 234, 76);
    ExpectAt(board.map->CellToPixel(11, 0), 570, 44);
    ExpectAt(board.map->CellToPixel(11, 13), 586, 460);
    // Row -1 (above the ceiling) is shifted like an odd row; the column past the last one too.
    ExpectAt(board.map->CellToPixel(0, -1), 234, 12);
    ExpectAt(board.map->CellToPixel(12, 0), 602, 44);
    // Rows are 2R apart, not close packed.
    EXPECT_FLOAT_EQ(board.map->CellToPixel(3, 5).y - board.map->CellToPixel(3, 4).y, 32.0f);
}

TEST(GeometryTest, PixelBackToCellAndSquareEdges) {
    Board board;
    for (int x = 0; x < 12; ++x) {
        for (int y = 0; y < 14; ++y) {
            const ZoVector centre = board.map->CellToPixel(x, y);
            EXPECT_EQ(board.map->PixelToCell(centre), ZoCell(x, y));
            EXPECT_EQ(board.map->PixelToFreeCell(centre), ZoCell(x, y));
        }
    }
    // Exactly R away on both axes still belongs to (0, 0); that corner also touches (1, 0) and (0, 1),
    // and the lower column, then the lower row, wins.
    EXPECT_EQ(board.map->PixelToCell({234, 60}), ZoCell(0, 0));
    EXPECT_EQ(board.map->PixelToFreeCell({234, 60}), ZoCell(0, 0));
    board.Put(0, 0, 1);
    EXPECT_EQ(board.map->PixelToFreeCell({234, 60}), ZoCell(0, 1));
    EXPECT_EQ(board.map->PixelToCell({234, 60}), ZoCell(0, 0));
    // Outside every square: left of the board, above the ceiling, below the last row.
    EXPECT_EQ(board.map->PixelToCell({150, 44}), kNoCell);
    EXPECT_EQ(board.map->PixelToCell({400, 10}), kNoCell);
    EXPECT_EQ(board.map->PixelToFreeCell({400, 500}), kNoCell);
}

TEST(GeometryTest, NeighboursOfOddAndEvenRowsTouch) {
    Board board;
    const auto odd = GameMap::Neighbours(3, 1);
    const std::set<std::pair<int, int>> oddExpected = {{2, 1}, {4, 1}, {3, 0}, {4, 0}, {3, 2}, {4, 2}};
    std::set<std::pair<int, int>> oddGot;
    for (const ZoCell& c : odd) {
        oddGot.insert({c.x, c.y});
    }
    EXPECT_EQ(oddGot, oddExpected);
    const auto even = GameMap::Neighbours(3, 2);
    const std::set<std::pair<int, int>> evenExpected = {{2, 2}, {4, 2}, {2, 1}, {3, 1}, {2, 3}, {3, 3}};
    std::set<std::pair<int, int>> evenGot;
    for (const ZoCell& c : even) {
        evenGot.insert({c.x, c.y});
    }
    EXPECT_EQ(evenGot, evenExpected);

    // The neighbour relation is the geometric one: every neighbour's centre lies within 36 pixels,
    // every other cell farther away.
    for (int y = 1; y < 5; ++y) {
        const ZoVector centre = board.map->CellToPixel(5, y);
        const auto list = GameMap::Neighbours(5, y);
        for (int x2 = 0; x2 < 12; ++x2) {
            for (int y2 = 0; y2 < 14; ++y2) {
                if (x2 == 5 && y2 == y) {
                    continue;
                }
                const bool listed = std::find(list.begin(), list.end(), ZoCell(x2, y2)) != list.end();
                const float distance = (board.map->CellToPixel(x2, y2) - centre).Length();
                EXPECT_EQ(listed, distance < 36.0f) << x2 << "," << y2 << " from 5," << y;
            }
        }
    }
}

TEST(GeometryTest, EmptyRowsAndBoard) {
    Board board;
    EXPECT_TRUE(board.map->IsBoardEmpty());
    EXPECT_TRUE(board.map->IsRowEmpty(13));
    board.Put(11, 13, 2);
    EXPECT_FALSE(board.map->IsRowEmpty(13));
    EXPECT_TRUE(board.map->IsRowEmpty(12));
    EXPECT_FALSE(board.map->IsBoardEmpty());
    // Off the board nothing is stored and nothing is found.
    EXPECT_FALSE(board.map->SetBubble(12, 0, GameSprites::Instance().MakeBubble(1)));
    EXPECT_FALSE(board.map->SetBubble(0, -1, GameSprites::Instance().MakeBubble(1)));
    EXPECT_EQ(board.map->Bubble(-1, 0), nullptr);
    EXPECT_TRUE(board.map->IsRowEmpty(-1));
}

TEST(GeometryTest, ResetFillsTheUpperHalfWithColoursDrawnInOrder) {
    Board board;
    SystemRandom().Seed(77);
    ZoRandom copy;
    copy.Seed(77);
    board.map->score = 500;
    board.map->TripleBonus = 50;
    board.map->LongestCombo = 4;
    board.Put(3, 12, 0);
    board.map->Reset(true);
    EXPECT_EQ(board.map->score, 0);
    EXPECT_EQ(board.map->TripleBonus, 0);
    EXPECT_EQ(board.map->LongestCombo, 0);
    EXPECT_EQ(board.map->MapState, GameMap::kIntro);
    EXPECT_EQ(board.map->CountBubbles(), 12 * 7);
    EXPECT_EQ(board.map->Bubble(3, 12), nullptr);
    // Column by column, each colour chosen from the full set: r = rand() % 7, r 0 and 1 give colour 0.
    for (int x = 0; x < 12; ++x) {
        for (int y = 0; y < 7; ++y) {
            const int r = copy.Below(7);
            const int expected = r == 0 ? 0 : r - 1;
            ASSERT_NE(board.map->Bubble(x, y), nullptr);
            EXPECT_EQ(board.map->Bubble(x, y)->BubbleID, expected) << x << "," << y;
            EXPECT_EQ(board.map->Bubble(x, y)->position, board.map->CellToPixel(x, y));
            EXPECT_TRUE(GameSprites::Instance().Layer().Contains(board.map->Bubble(x, y)));
        }
        EXPECT_EQ(board.map->Bubble(x, 7), nullptr);
    }
    board.map->Reset(false);
    EXPECT_TRUE(board.map->IsBoardEmpty());
    EXPECT_EQ(GameSprites::Instance().Layer().Size(), 0u);
}

TEST(GeometryTest, ResetFillsHalfOfAnyRowCount) {
    Board board;
    const std::int32_t rows = GameValues().yMax;
    GameValues().yMax = 11;
    board.map->Reset(true);
    EXPECT_FALSE(board.map->IsRowEmpty(4));
    EXPECT_TRUE(board.map->IsRowEmpty(5));
    GameValues().yMax = 12;
    board.map->Reset(true);
    EXPECT_FALSE(board.map->IsRowEmpty(5));
    EXPECT_TRUE(board.map->IsRowEmpty(6));
    GameValues().yMax = rows;
}
