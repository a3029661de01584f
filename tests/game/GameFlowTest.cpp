// The flow of whole games on the game screen: intro, shots, rows by misses and by time, losing, winning.
#include "GameCompletePanel.h"
#include "GameScreenFixture.h"
#include "GameSprites.h"
#include "GuiTestSupport.h"
#include "ZoProfileManager.h"
#include "ZoSysConfig.h"
#include "ZoTopTables.h"

#include <algorithm>

namespace {

constexpr int kLineFall = 102;
constexpr int kLoadColorEnd = 103;
constexpr int kSeekScoreEnd = 100;

int RowsInUse(const GameMap& map) {
    int rows = 0;
    for (int y = 0; y < GameValues().yMax; ++y) {
        if (!map.IsRowEmpty(y)) {
            rows = y + 1;
        }
    }
    return rows;
}

} // namespace

TEST_F(GameScreenTest, ClassicGameFromIntroThroughRowsToGameOver) {
    ZoSysConfig::Instance().difficulty = 2;
    game->SetupClassic();
    game->NewGame();
    EXPECT_EQ(GameValues().GameState, 0);
    EXPECT_EQ(Map().MapState, GameMap::kIntro);
    const std::size_t coloursAtStart = [this] {
        Frame(); // the first frame fills the launcher and lists the colours
        return Map().Colours().size();
    }();
    ear->Take();
    RunUntil([this] { return Map().MapState == GameMap::kReady; });
    // One chime per colour on the board, and no shot is taken before the intro ends.
    const std::vector<int> introSounds = ear->Take();
    EXPECT_EQ(std::count(introSounds.begin(), introSounds.end(), kLoadColorEnd),
              static_cast<long>(coloursAtStart));
    EXPECT_EQ(Map().NumMovesLeft, 4);
    EXPECT_EQ(Map().NumBeginMoves, 4);
    EXPECT_EQ(Map().NextNumBeginMoves, 3);

    // A burst scores and costs no move.
    ASSERT_TRUE(Shoot(true));
    WaitUntilReady();
    EXPECT_GT(Map().score, 0);
    EXPECT_EQ(Map().NumMovesLeft, 4);
    ASSERT_EQ(Map().NumAddLines, 1) << "a colour vanished; the seed no longer gives the intended board";

    // Five misses at level 2 bring the first row: 4 -> 3 -> 2 -> 1 -> 0 -> -1.
    const int rowsBefore = RowsInUse(Map());
    const int ballsBefore = Map().CountBubbles();
    for (int miss = 1; miss <= 4; ++miss) {
        ASSERT_TRUE(Shoot(false));
        WaitUntilReady();
        EXPECT_EQ(Map().NumMovesLeft, 4 - miss);
    }
    ear->Take();
    ASSERT_TRUE(Shoot(false));
    RunUntil([this] { return !Launcher().flying; });
    // The landing frame starts the drop: its sound, then the rows moving.
    EXPECT_EQ(Map().MapState, GameMap::kLinesDropping);
    EXPECT_EQ(ear->Count(kLineFall), 1);
    WaitUntilReady();
    EXPECT_EQ(ear->Count(kLineFall), 1);
    EXPECT_GT(RowsInUse(Map()), rowsBefore);
    EXPECT_EQ(Map().CountBubbles(), ballsBefore + 5 + GameValues().xMax);
    for (int x = 0; x < GameValues().xMax; ++x) {
        EXPECT_NE(Map().Bubble(x, 0), nullptr) << "new row, column " << x;
    }
    EXPECT_EQ(Map().NumMovesLeft, 3);
    EXPECT_EQ(Map().NextNumBeginMoves, 2);

    // The next row takes four more misses.
    for (int miss = 1; miss <= 3; ++miss) {
        ASSERT_TRUE(Shoot(false));
        WaitUntilReady();
        EXPECT_EQ(Map().NumMovesLeft, 3 - miss);
    }
    const int ballsBeforeSecond = Map().CountBubbles();
    ASSERT_TRUE(Shoot(false));
    RunUntil([this] { return !Launcher().flying; });
    EXPECT_EQ(Map().MapState, GameMap::kLinesDropping);
    WaitUntilReady();
    EXPECT_EQ(Map().CountBubbles(), ballsBeforeSecond + 1 + GameValues().xMax);

    // Missing on until the rows reach the bottom.
    for (int shot = 0; shot < 200 && GameValues().GameState == 0; ++shot) {
        if (!Shoot(false)) {
            ASSERT_TRUE(Shoot(true) || GameValues().GameState != 0) << "no aim fits at shot " << shot;
        }
        RunUntil([this] {
            return GameValues().GameState != 0 ||
                   (Map().MapState == GameMap::kReady && !Launcher().flying && Map().Falling().empty());
        });
    }
    ASSERT_EQ(GameValues().GameState, 3);
    EXPECT_TRUE(game->IsFinished());
    ASSERT_EQ(game->TopPanel(), game->GetPanel(Game::kGameOverPanel));

    // The score went into the Classic table under the player's name; the saved game is empty.
    const ZoTop* table = ZoTopTables::Instance().Get(0);
    ASSERT_NE(table, nullptr);
    ASSERT_FALSE(table->Records().empty());
    EXPECT_EQ(table->Records()[0].playerName, kPlayer);
    EXPECT_EQ(table->Records()[0].score, Map().score);
    EXPECT_TRUE(ZoTopTables::Instance().Get(1)->Records().empty());
    EXPECT_EQ(ReadBytes(SaveFile()), "");
    EXPECT_FALSE(ZoProfileManager::Instance().ActiveHasSavedGame());

    // The panel counts score, bonus and total one after another, with a sound as each stops.
    auto* panel = dynamic_cast<GameCompletePanel*>(game->GetPanel(Game::kGameOverPanel));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->score, Map().score);
    EXPECT_EQ(panel->bonus, Map().TripleBonus);
    EXPECT_EQ(panel->total, Map().score + Map().TripleBonus);
    ear->Take();
    Frame();
    EXPECT_GT(panel->shownScore, 0);
    EXPECT_LT(panel->shownScore, panel->score);
    const int frames = RunUntil([panel] { return panel->allShown; }, 2000);
    EXPECT_GE(frames, 3); // counted, not jumped
    EXPECT_EQ(panel->shownScore, panel->score);
    EXPECT_EQ(panel->shownBonus, panel->bonus);
    EXPECT_EQ(panel->shownTotal, panel->total);
    EXPECT_EQ(ear->Count(kSeekScoreEnd), 3);

    // Its button, clicked, leads back to the menu.
    const ZoBaseGuiElemen* ok = panel->FindElement(Game::kGameOverButton);
    ASSERT_NE(ok, nullptr);
    const ZoVector at = ok->image->position;
    Send(guitest::MouseMoveTo(static_cast<int>(at.x), static_cast<int>(at.y)));
    Send(guitest::LeftDown(static_cast<int>(at.x), static_cast<int>(at.y)));
    Send(guitest::LeftUp(static_cast<int>(at.x), static_cast<int>(at.y)));
    EXPECT_EQ(game->pendingCommand, Game::kGameOverButton);
    Frame();
    EXPECT_EQ(windows->ActiveName(), Game::kMenuListener);
}

TEST_F(GameScreenTest, ArcadeRowsComeWithTimeAndTheClockStopsForAFlyingBall) {
    game->SetupArcade();
    game->NewGame();
    ear->Take();
    // Nobody shoots: the first row after seven steps of five seconds (the intro's time counts too).
    int elapsed = 0;
    while (ear->Count(kLineFall) == 0 && elapsed < 60000) {
        Frame(16);
        elapsed += 16;
    }
    EXPECT_GE(elapsed, 35000);
    EXPECT_LE(elapsed, 35000 + 7 * 16 + 16);
    ear->Take();
    WaitUntilReady();
    // The next one after six steps, the clock held during the 400 ms drop.
    elapsed = 0;
    while (ear->Count(kLineFall) == 0 && elapsed < 60000) {
        Frame(16);
        elapsed += 16;
    }
    EXPECT_GE(elapsed, 30000);
    EXPECT_LE(elapsed, 30000 + 600);
    WaitUntilReady();

    // Waiting with the ball ready runs the clock; a ball in flight holds it.
    const std::int32_t before = Map().ElapsedTime;
    Frame(16);
    EXPECT_EQ(Map().ElapsedTime, before + 16);
    ASSERT_TRUE(Shoot(false));
    const std::int32_t atFire = Map().ElapsedTime;
    int flightFrames = 0;
    while (Launcher().flying && flightFrames < 500) {
        Frame(16);
        ++flightFrames;
        if (Launcher().flying) {
            EXPECT_EQ(Map().ElapsedTime, atFire);
        }
    }
    EXPECT_GT(flightFrames, 3);
    // A miss costs nothing in this mode.
    EXPECT_EQ(Map().NumMovesLeft, 4);
}

TEST_F(GameScreenTest, ClearingTheBoardWinsAtOnceEvenWithARowDue) {
    StartGame(false, 0);
    for (int x = 0; x < GameValues().xMax; ++x) {
        for (int y = 0; y < GameValues().yMax; ++y) {
            Map().TakeBubble(x, y);
        }
    }
    for (int x : {5, 6}) {
        auto ball = GameSprites::Instance().MakeBubble(2);
        ball->position = Map().CellToPixel(x, 0);
        ball->restPosition = ball->position;
        ball->EnterLayer(Map().Layer());
        Map().SetBubble(x, 0, std::move(ball));
    }
    Map().NumMovesLeft = 0; // the next miss would bring a row
    Map().TripleBonus = 50;
    ASSERT_TRUE(Shoot(true));
    RunUntil([] { return GameValues().GameState != 0; }, 500);
    EXPECT_EQ(GameValues().GameState, 5);
    EXPECT_TRUE(game->IsFinished());
    EXPECT_TRUE(Map().IsBoardEmpty());
    EXPECT_EQ(game->TopPanel(), game->GetPanel(Game::kCompletePanel));
    auto* panel = dynamic_cast<GameCompletePanel*>(game->GetPanel(Game::kCompletePanel));
    ASSERT_NE(panel, nullptr);
    EXPECT_GT(panel->score, 0);
    EXPECT_EQ(panel->bonus, 50);
    EXPECT_EQ(panel->total, panel->score + 50);
    ASSERT_NE(ZoTopTables::Instance().Get(0), nullptr);
    ASSERT_EQ(ZoTopTables::Instance().Get(0)->Records().size(), 1u);
    EXPECT_EQ(ZoTopTables::Instance().Get(0)->Records()[0].score, Map().score); // the bonus is not recorded
    EXPECT_EQ(ReadBytes(SaveFile()), "");

    // Drawn over the (empty) board once counted: the panel covers the centre, the numbers are there.
    const std::vector<std::uint8_t> before = guitest::DrawFrame(*game);
    RunUntil([panel] { return panel->allShown && panel->state == ZoPanel::Steady; }, 2000);
    const std::vector<std::uint8_t> shown = guitest::DrawFrame(*game);
    ASSERT_FALSE(guitest::SavePng(shown, "game_complete_panel").empty());
    const ZoVector total = panel->PanelPoint(panel->totalPosition.x, panel->totalPosition.y);
    int lit = 0;
    for (int x = static_cast<int>(total.x); x < static_cast<int>(total.x) + 60; ++x) {
        const guitest::Rgb a = guitest::PixelAt(before, x, static_cast<int>(total.y));
        const guitest::Rgb b = guitest::PixelAt(shown, x, static_cast<int>(total.y));
        lit += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 60 ? 1 : 0;
    }
    EXPECT_GT(lit, 5);

    // OK goes back to the menu; a new game afterwards starts clean, without the panel.
    game->pendingCommand = Game::kCompleteButton;
    Frame();
    EXPECT_EQ(windows->ActiveName(), Game::kMenuListener);
    game->NewGame();
    EXPECT_EQ(GameValues().GameState, 0);
    EXPECT_EQ(game->TopPanel(), game->GetPanel(Game::kMenuPanel));
    EXPECT_EQ(Map().score, 0);
}

TEST_F(GameScreenTest, InputReachesTheLauncherOnlyWhileAGameRuns) {
    StartGame(false, 0);
    WaitUntilReady();
    game->SetFinished();
    EXPECT_TRUE(game->IsFinished());
    Send(guitest::MouseMoveTo(300, 200));
    Send(guitest::LeftUp(300, 200));
    EXPECT_FALSE(Launcher().flying);
    // The record is emptied whoever used it.
    ZoInputEvent event = guitest::LeftUp(300, 200);
    EXPECT_TRUE(game->OnEvent(event));
    EXPECT_EQ(event.device, ZoInputEvent::kDeviceNone);
    EXPECT_EQ(event.message, ZoInputEvent::kNoMessage);
    EXPECT_EQ(event.releasedButton, 0);
}

TEST(GameCompletePanelTest, CountsEachNumberInAbout128StepsAndZeroStillChimes) {
    ASSERT_TRUE(guitest::EnsureGuiWorld());
    gametest::SoundEar ear;
    GameCompletePanel panel;
    ASSERT_TRUE(panel.Create("Interface/GameOverDlg"));
    EXPECT_FLOAT_EQ(panel.scorePosition.x, 52.0f);
    EXPECT_FLOAT_EQ(panel.totalPosition.y, 68.0f);

    panel.SetResult(1000, 50);
    panel.Open();
    EXPECT_EQ(panel.scoreStep, 7);
    EXPECT_EQ(panel.bonusStep, 1);
    EXPECT_EQ(panel.totalStep, 8);
    panel.Update(2); // one unit
    EXPECT_EQ(panel.shownScore, 7);
    EXPECT_EQ(panel.shownBonus, 0);
    while (!panel.scoreShown) {
        panel.Update(2);
    }
    EXPECT_EQ(panel.shownScore, 1000);
    EXPECT_EQ(ear.Count(kSeekScoreEnd), 1);
    EXPECT_FALSE(panel.bonusShown);

    panel.SetResult(0, 0);
    panel.Open();
    ear.Take();
    panel.Update(16);
    EXPECT_TRUE(panel.scoreShown);
    EXPECT_TRUE(panel.bonusShown);
    EXPECT_TRUE(panel.allShown);
    EXPECT_EQ(ear.Count(kSeekScoreEnd), 3);

    // The largest numbers neither wrap while counting nor in their sum.
    panel.SetResult(2147483000, 2000);
    panel.Open();
    for (int i = 0; i < 2000 && !panel.allShown; ++i) {
        panel.Update(100);
    }
    EXPECT_TRUE(panel.allShown);
    EXPECT_EQ(panel.shownTotal, 2147483647);
}

TEST_F(GameScreenTest, ARowPushingABallIntoTheLastRowLosesTheGame) {
    StartGame(false, 0);
    const int lastRow = GameValues().yMax - 1;
    for (int x = 0; x < GameValues().xMax; ++x) {
        for (int y = 0; y < lastRow - 1; ++y) {
            if (Map().Bubble(x, y) == nullptr) {
                auto ball = GameSprites::Instance().MakeBubble((x + 2 * y) % 3);
                ball->position = Map().CellToPixel(x, y);
                ball->restPosition = ball->position;
                ball->EnterLayer(Map().Layer());
                Map().SetBubble(x, y, std::move(ball));
            }
        }
    }
    Map().NumMovesLeft = 0;
    ear->Take();
    ASSERT_TRUE(Shoot(false));
    RunUntil([this] { return !Launcher().flying; });
    // Landed one row above the last: not lost yet, but the row it brings is the end.
    EXPECT_EQ(GameValues().GameState, 0);
    EXPECT_EQ(Map().MapState, GameMap::kLinesDropping);
    RunUntil([] { return GameValues().GameState != 0; }, 200);
    EXPECT_EQ(GameValues().GameState, 3);
    EXPECT_EQ(ear->Count(kLineFall), 1);
    EXPECT_EQ(game->TopPanel(), game->GetPanel(Game::kGameOverPanel));
    EXPECT_FALSE(Map().IsRowEmpty(lastRow));
}
