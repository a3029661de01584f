// The board drawn headless: balls at their cells over the background, launcher balls, move markers.
#include "GameTestSupport.h"

#include "GameSprites.h"
#include "GraphicsTestSupport.h"
#include "ZoRenderDevice.h"

#include <gtest/gtest.h>

using gametest::Board;

namespace {

gfxtest::Pixels DrawBoard(Board& board) {
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.Invalidate();
    device.BeginFrame();
    board.map->Draw();
    device.EndFrame();
    return gfxtest::Frame();
}

// Mean colour of the pixels 6 to 9 pixels left and right of a point (the ball's body, beside its symbol).
std::uint32_t BodyColour(const gfxtest::Pixels& frame, int x, int y) {
    int sums[3] = {0, 0, 0};
    int count = 0;
    for (int dx : {-9, -8, -7, -6, 6, 7, 8, 9}) {
        const std::uint32_t p = gfxtest::At(frame, x + dx, y);
        sums[0] += static_cast<int>((p >> 24) & 0xFF);
        sums[1] += static_cast<int>((p >> 16) & 0xFF);
        sums[2] += static_cast<int>((p >> 8) & 0xFF);
        ++count;
    }
    return (static_cast<std::uint32_t>(sums[0] / count) << 24) |
           (static_cast<std::uint32_t>(sums[1] / count) << 16) |
           (static_cast<std::uint32_t>(sums[2] / count) << 8) | 0xFFu;
}

} // namespace

TEST(DrawTest, BallsAppearAtTheirCellsInTheirColours) {
    Board board;
    board.map->LoadBackground("GameBgr");
    board.Fill({});
    board.Load(1, 2);
    const gfxtest::Pixels empty = DrawBoard(board);
    board.Fill({"0.....5.....", ".3..........", "...........4"});
    for (int x : {0, 6}) {
        board.map->Bubble(x, 0)->SetFrame(8);
    }
    board.map->Bubble(1, 1)->SetFrame(8);
    board.map->Bubble(11, 2)->SetFrame(8);
    const gfxtest::Pixels frame = DrawBoard(board);

    struct Expect {
        int x, y, colour;
    };
    for (const Expect& e : {Expect{0, 0, 0}, Expect{6, 0, 5}, Expect{1, 1, 3}, Expect{11, 2, 4}}) {
        const ZoVector c = board.map->CellToPixel(e.x, e.y);
        const BubbleTint tint = TintOfBubble(e.colour);
        const std::uint32_t want = (static_cast<std::uint32_t>(tint.red) << 24) |
                                   (static_cast<std::uint32_t>(tint.green) << 16) |
                                   (static_cast<std::uint32_t>(tint.blue) << 8) | 0xFFu;
        const std::uint32_t got = BodyColour(frame, static_cast<int>(c.x), static_cast<int>(c.y));
        EXPECT_TRUE(gfxtest::Near(got, want, 60))
            << e.x << "," << e.y << std::hex << " got " << got << " want " << want;
        // Outside the ball (half a cell away, between two cells of an empty row) nothing changed.
        EXPECT_EQ(gfxtest::At(frame, static_cast<int>(c.x), static_cast<int>(c.y) + 20 + 32 * 4),
                  gfxtest::At(empty, static_cast<int>(c.x), static_cast<int>(c.y) + 20 + 32 * 4));
    }
    // An empty cell shows the background only.
    const ZoVector free = board.map->CellToPixel(3, 0);
    EXPECT_EQ(gfxtest::At(frame, static_cast<int>(free.x), static_cast<int>(free.y)),
              gfxtest::At(empty, static_cast<int>(free.x), static_cast<int>(free.y)));
}

TEST(DrawTest, LauncherBallsAndMoveMarkers) {
    Board board;
    board.Fill({"12.........."});
    board.Load(1, 2);
    board.AimAt(400, 100);
    board.map->NumMovesLeft = 3;
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.Invalidate();
    device.BeginFrame();
    board.map->Draw();
    device.EndFrame();
    // The waiting ball sits 31 pixels along the aim from the launcher; the next ball goes behind it.
    EXPECT_EQ(board.shooter->CurrentBubble()->position, ZoVector(400, 539));
    EXPECT_EQ(board.map->NextBubble()->position, ZoVector(400, 570 + 7.25f));
    EXPECT_EQ(board.map->NextBubble()->Animation().currentFrame, 8);
    // Sprites at the three marker places, none at the fourth.
    const auto& batch = device.Batch();
    const auto drawnAt = [&batch](float x, float y) {
        for (const auto& sprite : batch) {
            const float cx = sprite.x + sprite.centreX;
            const float cy = sprite.y + sprite.centreY;
            if (std::abs(cx - x) < 1.0f && std::abs(cy - y) < 1.0f) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(drawnAt(554, 560));
    EXPECT_TRUE(drawnAt(577, 552));
    EXPECT_TRUE(drawnAt(603, 543));
    EXPECT_FALSE(drawnAt(626, 545));
    EXPECT_TRUE(drawnAt(400, 539));
    EXPECT_TRUE(drawnAt(218, 44));
    EXPECT_TRUE(drawnAt(250, 44));
}
