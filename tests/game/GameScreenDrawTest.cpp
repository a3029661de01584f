// The game screen drawn headless: board, HUD score, menu button, and the end panel with its numbers.
#include "GameCompletePanel.h"
#include "GameScreenFixture.h"
#include "GameSprites.h"
#include "GuiTestSupport.h"

namespace {

int Brightness(const guitest::Rgb& p) {
    return p.r + p.g + p.b;
}

// Pixels in the box that differ clearly from the same box of another frame.
int ChangedPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, int left, int top,
                  int width, int height) {
    int changed = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const guitest::Rgb p = guitest::PixelAt(a, x, y);
            const guitest::Rgb q = guitest::PixelAt(b, x, y);
            if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60) {
                ++changed;
            }
        }
    }
    return changed;
}

} // namespace

TEST_F(GameScreenTest, GameOverPanelIsDrawnOverTheBoardWithItsNumbers) {
    StartGame(false, 0);
    WaitUntilReady();
    Map().score = 1234;
    Map().TripleBonus = 56;
    guitest::UpdateUntilSteady(*game);
    const std::vector<std::uint8_t> playing = guitest::DrawFrame(*game);
    ASSERT_FALSE(guitest::SavePng(playing, "game_screen_playing").empty());

    // The score in the top left corner, centred on x = 72.
    Map().score = 0;
    const std::vector<std::uint8_t> noScore = guitest::DrawFrame(*game);
    EXPECT_GT(ChangedPixels(playing, noScore, 40, 4, 64, 26), 20);
    Map().score = 1234;

    // A ball in the last row ends the game at the next frame.
    auto ball = GameSprites::Instance().MakeBubble(1);
    ball->position = Map().CellToPixel(0, GameValues().yMax - 1);
    ball->restPosition = ball->position;
    ball->EnterLayer(Map().Layer());
    Map().SetBubble(0, GameValues().yMax - 1, std::move(ball));
    Map().CheckGameOver();
    Frame();
    ASSERT_EQ(game->TopPanel(), game->GetPanel(Game::kGameOverPanel));
    auto* panel = dynamic_cast<GameCompletePanel*>(game->TopPanel());
    ASSERT_NE(panel, nullptr);

    // While the score counts, the bonus and total are not drawn yet.
    Frame();
    ASSERT_FALSE(panel->scoreShown);
    const std::vector<std::uint8_t> counting = guitest::DrawFrame(*game);
    RunUntil([panel] { return panel->allShown && panel->state == ZoPanel::Steady; }, 2000);
    const std::vector<std::uint8_t> done = guitest::DrawFrame(*game);
    // The same panel with its numbers moved off the screen.
    const ZoVector keep[3] = {panel->scorePosition, panel->bonusPosition, panel->totalPosition};
    panel->scorePosition = panel->bonusPosition = panel->totalPosition = ZoVector(-500.0f, -500.0f, 0.0f);
    const std::vector<std::uint8_t> blank = guitest::DrawFrame(*game);
    panel->scorePosition = keep[0];
    panel->bonusPosition = keep[1];
    panel->totalPosition = keep[2];
    const std::string png = guitest::SavePng(done, "game_over_panel");
    ASSERT_FALSE(png.empty());

    // The panel covers the centre of the board.
    EXPECT_GT(ChangedPixels(playing, done, 300, 250, 200, 100), 10000);
    const ZoVector score = panel->PanelPoint(panel->scorePosition.x, panel->scorePosition.y);
    const ZoVector bonus = panel->PanelPoint(panel->bonusPosition.x, panel->bonusPosition.y);
    const ZoVector total = panel->PanelPoint(panel->totalPosition.x, panel->totalPosition.y);
    // Digits start at the score, bonus and total positions; left of them the panel is plain.
    for (const ZoVector& at : {score, bonus, total}) {
        const int x = static_cast<int>(at.x);
        const int y = static_cast<int>(at.y);
        EXPECT_GT(ChangedPixels(blank, done, x, y - 14, 60, 28), 20) << x << "," << y;
        EXPECT_EQ(ChangedPixels(blank, done, x - 40, y - 14, 38, 28), 0) << x << "," << y;
    }
    // Before the score has stopped, neither the bonus nor the total is drawn.
    panel->scoreShown = false;
    panel->bonusShown = false;
    const std::vector<std::uint8_t> scoreOnly = guitest::DrawFrame(*game);
    EXPECT_GT(
        ChangedPixels(blank, scoreOnly, static_cast<int>(score.x), static_cast<int>(score.y) - 14, 60, 28),
        20);
    for (const ZoVector& at : {bonus, total}) {
        EXPECT_EQ(
            ChangedPixels(blank, scoreOnly, static_cast<int>(at.x), static_cast<int>(at.y) - 14, 60, 28), 0);
    }
    EXPECT_GT(ChangedPixels(counting, done, 300, 250, 200, 100), 0); // the fade-in
    EXPECT_GT(Brightness(guitest::PixelAt(done, 400, 300)), 0);

    // The OK button sits at 87 % of the panel's height.
    const ZoBaseGuiElemen* ok = panel->FindElement(Game::kGameOverButton);
    ASSERT_NE(ok, nullptr);
    const ZoVector expected = panel->PanelPoint(50.0f, 87.0f);
    EXPECT_FLOAT_EQ(ok->image->position.x, expected.x);
    EXPECT_FLOAT_EQ(ok->image->position.y, expected.y);
}

TEST_F(GameScreenTest, MoveMarkersFollowTheMovesLeft) {
    StartGame(false, 0);
    WaitUntilReady();
    guitest::UpdateUntilSteady(*game);
    Map().NumMovesLeft = 0;
    const std::vector<std::uint8_t> none = guitest::DrawFrame(*game);
    Map().NumMovesLeft = 6;
    const std::vector<std::uint8_t> six = guitest::DrawFrame(*game);
    Map().NumMovesLeft = 99; // an edited save: still six
    const std::vector<std::uint8_t> many = guitest::DrawFrame(*game);
    const int positions[6][2] = {{554, 560}, {577, 552}, {603, 543}, {626, 545}, {646, 536}, {669, 540}};
    for (const auto& p : positions) {
        EXPECT_GT(ChangedPixels(none, six, p[0] - 5, p[1] - 5, 10, 10), 3) << p[0];
    }
    EXPECT_EQ(ChangedPixels(six, many, 0, 0, 800, 600), 0);
}
