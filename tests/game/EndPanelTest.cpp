// The end of a game on the screen: the board, the panel and the table agree on the score, the panel is shown
// once and counts its numbers up, and its button leads back to the menu.
#include "GameCompletePanel.h"
#include "GameScreenFixture.h"
#include "GuiTestSupport.h"
#include "ZoTopTables.h"

#include <algorithm>

namespace {

constexpr int kSeekScoreEnd = 100;

// Pixels that differ clearly between two frames in a box.
int ChangedPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, const ZoVector& at) {
    int changed = 0;
    for (int y = static_cast<int>(at.y) - 14; y < static_cast<int>(at.y) + 14; ++y) {
        for (int x = static_cast<int>(at.x); x < static_cast<int>(at.x) + 60; ++x) {
            const guitest::Rgb p = guitest::PixelAt(a, x, y);
            const guitest::Rgb q = guitest::PixelAt(b, x, y);
            changed += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60 ? 1 : 0;
        }
    }
    return changed;
}

} // namespace

TEST_F(GameScreenTest, AWonGameCountsItsLastFallingBallsOnBoardPanelAndTable) {
    LoadBoard("won");
    Fire(346, 100);
    RunUntil([] { return GameValues().GameState == 5; }, 500);
    ASSERT_EQ(GameValues().GameState, 5);
    auto* panel = dynamic_cast<GameCompletePanel*>(game->TopPanel());
    ASSERT_EQ(panel, game->GetPanel(Game::kCompletePanel));
    EXPECT_EQ(Map().score, 600);
    EXPECT_EQ(panel->score, 600);
    EXPECT_EQ(panel->bonus, 100);
    EXPECT_EQ(panel->total, 700);
    ASSERT_EQ(ZoTopTables::Instance().Get(0)->Records().size(), 1u);
    EXPECT_EQ(ZoTopTables::Instance().Get(0)->Records()[0].score, 600); // without the bonus
    EXPECT_EQ(ReadBytes(SaveFile()), "");

    // Score, bonus and total count up one after another, a chime as each stops, then all three are drawn.
    ear->Take();
    const std::vector<std::uint8_t> counting = guitest::DrawFrame(*game);
    EXPECT_GE(RunUntil([panel] { return panel->allShown && panel->state == ZoPanel::Steady; }, 2000), 3);
    EXPECT_EQ(panel->shownTotal, 700);
    const std::vector<int> chimes = ear->Take();
    EXPECT_EQ(std::count(chimes.begin(), chimes.end(), kSeekScoreEnd), 3);
    const std::vector<std::uint8_t> done = guitest::DrawFrame(*game);
    EXPECT_FALSE(guitest::SavePng(done, "game_complete_panel").empty());
    EXPECT_GT(ChangedPixels(counting, done, panel->PanelPoint(panel->totalPosition.x, panel->totalPosition.y)),
              20);

    game->pendingCommand = Game::kCompleteButton;
    Frame();
    EXPECT_EQ(windows->ActiveName(), Game::kMenuListener);
}

TEST_F(GameScreenTest, ALostGameShowsItsPanelOnceAndItsButtonStillAnswers) {
    LoadBoard("loss-line"); // the losing landing also makes a line due
    Fire(298, 460);
    RunUntil([] { return GameValues().GameState == 3; }, 500);
    for (int i = 0; i < 200; ++i) {
        Frame();
    }
    ZoPanel* panel = game->GetPanel(Game::kGameOverPanel);
    EXPECT_EQ(std::count(game->OpenPanels().begin(), game->OpenPanels().end(), panel), 1);
    EXPECT_EQ(ZoTopTables::Instance().Get(0)->Records().size(), 1u);
    guitest::UpdateUntilSteady(*game);
    const ZoVector at = panel->FindElement(Game::kGameOverButton)->image->position;
    Send(guitest::MouseMoveTo(static_cast<int>(at.x), static_cast<int>(at.y)));
    Send(guitest::LeftDown(static_cast<int>(at.x), static_cast<int>(at.y)));
    Send(guitest::LeftUp(static_cast<int>(at.x), static_cast<int>(at.y)));
    Frame();
    EXPECT_EQ(windows->ActiveName(), Game::kMenuListener);
}

TEST(GameCompletePanelTest, CountsEachNumberInAbout128StepsAndZeroStillChimes) {
    ASSERT_TRUE(guitest::EnsureGuiWorld());
    const std::unique_ptr<SoundEar> ear = gametest::GameEar();
    GameCompletePanel panel;
    ASSERT_TRUE(panel.Create("Interface/GameOverDlg"));
    panel.SetResult(1000, 50);
    panel.Open();
    panel.Update(2); // one unit: a step of 1000 / 128
    EXPECT_EQ(panel.shownScore, 7);
    EXPECT_EQ(panel.shownBonus, 0);
    panel.SetResult(0, 0);
    panel.Open();
    panel.Update(16);
    EXPECT_TRUE(panel.allShown);
    EXPECT_EQ(ear->Take(), (std::vector<int>{kSeekScoreEnd, kSeekScoreEnd, kSeekScoreEnd}));
    // The largest numbers neither wrap while counting nor in their sum.
    panel.SetResult(2147483000, 2000);
    panel.Open();
    for (int i = 0; i < 2000 && !panel.allShown; ++i) {
        panel.Update(100);
    }
    EXPECT_EQ(panel.shownTotal, 2147483647);
}
