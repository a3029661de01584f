// The main menu's commands and dialog chains, driven by real clicks on the real screens headless.
#include "MenuTestSupport.h"

#include "GameGlobals.h"
#include "GuiTestSupport.h"
#include "RecordingAudio.h"
#include "SoundTestData.h"
#include "ZoDialogPanel.h"
#include "ZoProfileManager.h"
#include "ZoRenderDevice.h"
#include "ZoSoundManager.h"

using menutest::MenuFixture;

namespace {

ZoProfileManager& Profiles() {
    return ZoProfileManager::Instance();
}

bool GameMusicSelected() {
    ZoSoundManager& sound = ZoSoundManager::Instance();
    return sound.CurrentPlayList() != nullptr && sound.CurrentPlayList() == sound.GetPlayList(1);
}

class MainMenuTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        Profiles().AddProfile("Ann");
        Profiles().SaveProfiles();
        BuildScreens();
        ZoSoundManager::Instance().SetPlayList(0);
    }

    // A Classic game started, then left for the menu the way the game's menu button does it.
    void LeaveARunningGame() {
        Click("MainMenuDlg", "MainMenuDlg.Classic");
        ASSERT_EQ(windows->ActiveName(), "GameWin");
        ASSERT_TRUE(game->Save());
        windows->ActivateListener("MenuWin");
        ASSERT_TRUE(Profiles().ActiveHasSavedGame());
    }
};

TEST_F(MainMenuTest, MainMenuIsAtTheBottomWithEveryButtonPlaced) {
    ASSERT_EQ(menu->OpenPanels().size(), 1u);
    EXPECT_EQ(menu->OpenPanels().front()->name, "MainMenuDlg");
    for (const char* name :
         {"MainMenuDlg.Continue", "MainMenuDlg.Options", "MainMenuDlg.Help", "MainMenuDlg.Score",
          "MainMenuDlg.Exit", "MainMenuDlg.Classic", "MainMenuDlg.Arcade"}) {
        ZoBaseGuiElemen* button = Widget("MainMenuDlg", name);
        ASSERT_NE(button, nullptr) << name;
        // The five placed late must not stay at the panel's corner.
        EXPECT_GT(button->Image()->position.x, 100.0f) << name;
        EXPECT_GT(button->Image()->position.y, 100.0f) << name;
    }
    Frame();
    EXPECT_EQ(Widget("MainMenuDlg", "MainMenuDlg.Profile")->caption, "WELCOME: Ann");
    // The questions come from the language file.
    for (const char* name : {"ConfirmGameDlg", "DiffChangeDlg", "DeletePlayerNameDlg", "ConfirmScoreClearDlg"}) {
        const auto* dialog = dynamic_cast<const ZoDialogPanel*>(menu->GetPanel(name));
        ASSERT_NE(dialog, nullptr) << name;
        EXPECT_FALSE(dialog->message.empty()) << name;
    }
}

TEST_F(MainMenuTest, WithoutAnActivePlayerTheGreetingNamesNobody) {
    while (!Profiles().IsEmpty())
        Profiles().DeleteActiveProfile();
    Frame();
    EXPECT_EQ(Widget("MainMenuDlg", "MainMenuDlg.Profile")->caption, "WELCOME: ");
}

TEST_F(MainMenuTest, ClassicWithoutSavedGameStartsAtOnceWithTheGameMusic) {
    Click("MainMenuDlg", "MainMenuDlg.Classic");
    EXPECT_EQ(windows->ActiveName(), "GameWin");
    EXPECT_TRUE(game->HasGame());
    EXPECT_EQ(game->GameID, Game::kClassic);
    EXPECT_FALSE(game->IsFinished());
    EXPECT_TRUE(GameMusicSelected());
    EXPECT_FALSE(IsOpen("ConfirmGameDlg"));
}

TEST_F(MainMenuTest, ArcadeSetsUpTheArcadeBoard) {
    Click("MainMenuDlg", "MainMenuDlg.Arcade");
    EXPECT_EQ(windows->ActiveName(), "GameWin");
    EXPECT_EQ(game->GameID, Game::kArcade);
}

TEST_F(MainMenuTest, AFinishedClassicGameKeepsItsBoardForTheNextOne) {
    Click("MainMenuDlg", "MainMenuDlg.Classic");
    GameMap* board = game->Map();
    game->SetFinished();
    windows->ActivateListener("MenuWin");
    Click("MainMenuDlg", "MainMenuDlg.Classic");
    EXPECT_EQ(windows->ActiveName(), "GameWin");
    EXPECT_EQ(game->Map(), board) << "the same mode reuses its map";
    game->SetFinished();
    windows->ActivateListener("MenuWin");
    Click("MainMenuDlg", "MainMenuDlg.Arcade");
    EXPECT_EQ(game->GameID, Game::kArcade);
}

TEST_F(MainMenuTest, ASavedGameMakesANewGameAskFirstAndOkReplacesIt) {
    LeaveARunningGame();
    Click("MainMenuDlg", "MainMenuDlg.Arcade");
    EXPECT_EQ(windows->ActiveName(), "MenuWin");
    EXPECT_TRUE(IsOpen("ConfirmGameDlg"));
    EXPECT_EQ(game->requestedMode, 1);
    // No cancel button: Escape leaves the question open.
    Key(27);
    Settle();
    EXPECT_TRUE(IsOpen("ConfirmGameDlg"));
    Click("ConfirmGameDlg", "ConfirmGameDlg.Ok");
    EXPECT_FALSE(IsOpen("ConfirmGameDlg")) << "taken away at once, without a fade";
    EXPECT_EQ(windows->ActiveName(), "GameWin");
    EXPECT_EQ(game->GameID, Game::kArcade);
    EXPECT_TRUE(GameMusicSelected());
}

TEST_F(MainMenuTest, ConfirmDialogCanContinueTheSavedGameInstead) {
    LeaveARunningGame();
    Click("MainMenuDlg", "MainMenuDlg.Arcade");
    Click("ConfirmGameDlg", "ConfirmGameDlg.Continue");
    EXPECT_FALSE(IsOpen("ConfirmGameDlg"));
    EXPECT_EQ(windows->ActiveName(), "GameWin");
    EXPECT_EQ(game->GameID, Game::kClassic) << "the saved Classic game came back";
    EXPECT_FALSE(game->IsFinished());
}

TEST_F(MainMenuTest, ContinueLoadsTheSavedGameAndStaysWithoutOne) {
    // No saved game: the continue command leaves the player on the menu.
    menu->pendingCommand = "MainMenuDlg.Continue";
    Frame();
    EXPECT_EQ(windows->ActiveName(), "MenuWin");
    LeaveARunningGame();
    Click("MainMenuDlg", "MainMenuDlg.Continue");
    EXPECT_EQ(windows->ActiveName(), "GameWin");
    EXPECT_FALSE(game->IsFinished());
}

TEST_F(MainMenuTest, ExitAsksTheLoopToEnd) {
    EXPECT_FALSE(quitRequested);
    Click("MainMenuDlg", "MainMenuDlg.Exit");
    EXPECT_TRUE(quitRequested);
}

TEST_F(MainMenuTest, EscapeDoesNothingOnTheMainMenu) {
    Key(27);
    Settle();
    EXPECT_TRUE(IsOpen("MainMenuDlg"));
    EXPECT_FALSE(quitRequested);
    EXPECT_TRUE(menu->pendingCommand.empty());
}

TEST_F(MainMenuTest, HelpCreditsAndBackWithEscape) {
    Click("MainMenuDlg", "MainMenuDlg.Help");
    EXPECT_TRUE(IsOpen("HelpDlg"));
    Click("HelpDlg", "Help.Credits");
    EXPECT_TRUE(IsOpen("CreditsDlg"));
    EXPECT_TRUE(menu->drawAll) << "credits over help draw every open panel";
    Settle();
    Key(27); // the credits' OK
    Settle();
    EXPECT_FALSE(IsOpen("CreditsDlg"));
    EXPECT_TRUE(IsOpen("HelpDlg"));
    Key(27); // the help's menu button
    Settle();
    EXPECT_FALSE(IsOpen("HelpDlg"));
    EXPECT_FALSE(menu->drawAll);
    EXPECT_EQ(menu->OpenPanels().size(), 1u);
}

TEST_F(MainMenuTest, AnUnknownCommandIsDropped) {
    menu->pendingCommand = "NoSuchDlg.Button";
    Frame();
    EXPECT_TRUE(menu->pendingCommand.empty());
    EXPECT_EQ(menu->OpenPanels().size(), 1u);
}

TEST_F(MainMenuTest, MainMenuScreenshot) {
    Settle();
    for (int i = 0; i < 3; ++i)
        Frame();
    const std::vector<std::uint8_t> frame = guitest::DrawFrame(*menu);
    const std::string path = guitest::SavePng(frame, "menu-main");
    EXPECT_FALSE(path.empty());
    // The menu picture covers the screen and the launcher creature sits at its place.
    const guitest::Rgb corner = guitest::PixelAt(frame, 400, 20);
    EXPECT_GT(corner.r + corner.g + corner.b, 30);
    EXPECT_FALSE(ZoRenderDevice::Instance().Batch().empty());
}

// The decorative launcher: aiming, swapping, firing and bursting.
class MenuLauncherTest : public MainMenuTest {
protected:
    void SetUp() override {
        MainMenuTest::SetUp();
        auto audio = std::make_unique<RecordingAudio>();
        audioLog = audio.get();
        ear = std::make_unique<ZoSoundManager>(std::move(audio));
        SoundTestData::MemoryFiles files;
        files.Add("Swap", SoundTestData::MakeWav(5));
        files.Add("BallDelete", SoundTestData::MakeWav(5));
        ear->SetFileReader(files.Reader());
        ear->Init(255, 255);
        ear->LoadSample(GameSound::Swap, "Swap");
        swapSample = audioLog->log.back();
        ear->LoadSample(GameSound::BallDelete, "BallDelete");
        deleteSample = audioLog->log.back();
        GameValues().soundOutput = ear.get();
        Frame(); // creates the two balls
    }
    void TearDown() override {
        GameValues().soundOutput = nullptr;
        MainMenuTest::TearDown();
    }
    int Played(const std::string& loadLine) const {
        const std::string play = "play-sample " + loadLine.substr(std::string("load-sample ").size());
        int count = 0;
        for (const std::string& line : audioLog->log)
            count += line.compare(0, play.size(), play) == 0 ? 1 : 0;
        return count;
    }
    void RightClick(int x, int y) {
        ZoInputEvent up = guitest::MouseMoveTo(x, y);
        up.Translate(ZoInputEvent::kRightButtonUp, 0,
                     static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16));
        menu->OnEvent(up);
    }

    RecordingAudio* audioLog = nullptr;
    std::unique_ptr<ZoSoundManager> ear;
    std::string swapSample;
    std::string deleteSample;
};

TEST_F(MenuLauncherTest, RightClickSwapsOnlyBallsOfDifferentColours) {
    ASSERT_NE(menu->currentBall, nullptr);
    ASSERT_NE(menu->nextBall, nullptr);
    menu->nextBall->BubbleID = menu->currentBall->BubbleID;
    BaseBubble* current = menu->currentBall.get();
    RightClick(700, 300);
    EXPECT_EQ(menu->currentBall.get(), current);
    EXPECT_EQ(Played(swapSample), 0);
    menu->nextBall->BubbleID = (menu->currentBall->BubbleID + 1) % kBubbleColours;
    RightClick(700, 300);
    EXPECT_EQ(menu->nextBall.get(), current);
    EXPECT_EQ(Played(swapSample), 1);
}

TEST_F(MenuLauncherTest, AClickNoWidgetTakesFiresABallThatBouncesAndBursts) {
    // Aim straight up from the launcher, at empty sky.
    ClickAt(720, 300);
    ASSERT_EQ(menu->flyingBalls.size(), 1u);
    EXPECT_NEAR(menu->aim.x, 0.0f, 1e-5f);
    EXPECT_NEAR(menu->aim.y, -1.0f, 1e-5f);
    MenuGui::FlyingBall& flying = menu->flyingBalls.front();
    EXPECT_GE(flying.lifeTime, 400 - 16);
    EXPECT_LE(flying.lifeTime, 600);
    const float speed = -flying.ball->velocity.y;
    EXPECT_GE(speed, 6.0f);
    EXPECT_LE(speed, 12.0f);
    // Past the right edge the ball turns back.
    flying.ball->position.x = 801.0f;
    flying.ball->velocity.x = 1.0f;
    flying.lifeTime = 400;
    Frame(0);
    ASSERT_EQ(menu->flyingBalls.size(), 1u);
    EXPECT_LT(menu->flyingBalls.front().ball->velocity.x, 0.0f);
    for (int elapsed = 0; elapsed <= 400; elapsed += 16)
        Frame(16);
    EXPECT_TRUE(menu->flyingBalls.empty());
    EXPECT_EQ(Played(deleteSample), 1);
    EXPECT_FALSE(menu->bursts.empty());
    // A finished burst is let go.
    for (int i = 0; i < 600 && !menu->bursts.empty(); ++i)
        Frame(16);
    EXPECT_TRUE(menu->bursts.empty());
}

TEST_F(MenuLauncherTest, AClickOnAButtonDoesNotFire) {
    Click("MainMenuDlg", "MainMenuDlg.Help");
    EXPECT_TRUE(menu->flyingBalls.empty());
}

} // namespace
