// The profile, name-entry, score and options dialogs of the menu, driven by real input headless.
#include "MenuTestSupport.h"

#include "GuiTestSupport.h"
#include "PlatformVideo.h"
#include "ZoCheckBoxGroup.h"
#include "ZoProfileDlg.h"
#include "ZoProfileManager.h"
#include "ZoRenderDevice.h"
#include "ZoScoreDlg.h"
#include "ZoSlider.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"
#include "ZoTextDialogPanel.h"
#include "ZoTopTables.h"

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

using menutest::MenuFixture;

namespace {

ZoProfileManager& Profiles() {
    return ZoProfileManager::Instance();
}

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// -------------------------------------------------------------------------------------------------
// Players: first start, adding, selecting, deleting.

class ProfileDialogTest : public MenuFixture {
protected:
    ZoProfileDlg& Dialog() { return *dynamic_cast<ZoProfileDlg*>(menu->GetPanel("ProfileDlg")); }
    ZoBaseGuiElemen* Cancel() { return menu->GetPanel("PlayerNameDlg")->cancelButton; }
    void AddPlayer(const std::string& name) {
        Click("ProfileDlg", "ProfileDlg.Add");
        Settle();
        ASSERT_TRUE(IsOpen("PlayerNameDlg"));
        Type(name);
        Click("PlayerNameDlg", "PlayerNameDlg.Ok");
        Settle();
    }
};

TEST_F(ProfileDialogTest, AddingPlayersListsThemSavesThemAndMakesTheNewOneActive) {
    Profiles().AddProfile("Ann");
    Profiles().SaveProfiles();
    BuildScreens();
    EXPECT_EQ(Dialog().ItemCount(), 1);
    Click("MainMenuDlg", "MainMenuDlg.Profile");
    EXPECT_TRUE(IsOpen("ProfileDlg"));
    AddPlayer("Bob");
    EXPECT_FALSE(IsOpen("PlayerNameDlg"));
    EXPECT_EQ(Profiles().ActiveProfileName(), "Bob");
    EXPECT_EQ(Dialog().ItemCount(), 2);
    EXPECT_TRUE(Widget("ProfileDlg", "Bob")->highlighted);
    EXPECT_FALSE(Widget("ProfileDlg", "Ann")->highlighted);
    const std::string written = ReadFile("Data//Profiles.Txt");
    EXPECT_NE(written.find("Bob"), std::string::npos);
    EXPECT_NE(written.find("Ann"), std::string::npos);
    // A name already listed is selected again, never listed twice.
    AddPlayer("Ann");
    EXPECT_EQ(Dialog().ItemCount(), 2);
    EXPECT_EQ(Profiles().ActiveProfileName(), "Ann");
    EXPECT_TRUE(Widget("ProfileDlg", "Ann")->highlighted);
}

TEST_F(ProfileDialogTest, ANameWithPathCharactersStaysInsideTheSaveFolder) {
    Profiles().AddProfile("Ann");
    BuildScreens();
    Click("MainMenuDlg", "MainMenuDlg.Profile");
    // The entry only takes letters, digits and blanks; whatever it takes must name a file in Data/Save/.
    AddPlayer("../x");
    const std::string file = Profiles().SaveFileName();
    EXPECT_EQ(file.rfind("Data/Save/", 0), 0u);
    EXPECT_EQ(file.find('/', std::string("Data/Save/").size()), std::string::npos) << file;
}

TEST_F(ProfileDialogTest, ClickingAPlayerSelectsItAndOkEndsTheGameUnderWay) {
    Profiles().AddProfile("Ann");
    Profiles().AddProfile("Bob");
    Profiles().SaveProfiles();
    BuildScreens();
    Click("MainMenuDlg", "MainMenuDlg.Classic");
    ASSERT_FALSE(game->IsFinished());
    windows->ActivateListener("MenuWin");

    // OK without a change keeps the game.
    Click("MainMenuDlg", "MainMenuDlg.Profile");
    Click("ProfileDlg", "ProfileDlg.Ok");
    Settle();
    EXPECT_FALSE(IsOpen("ProfileDlg"));
    EXPECT_FALSE(game->IsFinished());

    Click("MainMenuDlg", "MainMenuDlg.Profile");
    Click("ProfileDlg", "Ann");
    EXPECT_EQ(Profiles().ActiveProfileName(), "Ann");
    EXPECT_TRUE(Widget("ProfileDlg", "Ann")->highlighted);
    EXPECT_FALSE(Widget("ProfileDlg", "Bob")->highlighted);
    EXPECT_TRUE(menu->pendingCommand.empty()) << "a player's name is no command";
    Click("ProfileDlg", "ProfileDlg.Ok");
    EXPECT_TRUE(game->IsFinished());
    ZoProfileManager reread;
    ASSERT_TRUE(reread.LoadProfiles());
    EXPECT_EQ(reread.ActiveProfileName(), "Ann");
}

TEST_F(ProfileDialogTest, TheAddButtonIsDisabledWhileTheListIsFull) {
    for (const char* name : {"A", "B", "C", "D", "E", "F"})
        Profiles().AddProfile(name);
    BuildScreens();
    EXPECT_EQ(Profiles().maximumProfiles, 6) << "from the layout file";
    Click("MainMenuDlg", "MainMenuDlg.Profile");
    EXPECT_TRUE(Widget("ProfileDlg", "ProfileDlg.Add")->disabled);
    Click("ProfileDlg", "ProfileDlg.Add");
    Settle();
    EXPECT_FALSE(IsOpen("PlayerNameDlg"));
}

TEST_F(ProfileDialogTest, DeletingAPlayerEmptiesItsSaveAndTheLastOneAsksForANameAgain) {
    Profiles().AddProfile("Ann");
    Profiles().AddProfile("Bob");
    Profiles().SaveProfiles();
    BuildScreens();
    Click("MainMenuDlg", "MainMenuDlg.Classic");
    ASSERT_TRUE(game->Save());
    const std::string bobsSave = Profiles().SaveFileName();
    ASSERT_GT(ReadFile(bobsSave).size(), 0u);
    windows->ActivateListener("MenuWin");

    Click("MainMenuDlg", "MainMenuDlg.Profile");
    Click("ProfileDlg", "ProfileDlg.Delete");
    Settle();
    ASSERT_TRUE(IsOpen("DeletePlayerNameDlg"));
    Click("DeletePlayerNameDlg", "DeletePlayerNameDlg.Cancel");
    Settle();
    EXPECT_EQ(Profiles().Profiles().size(), 2u);

    Click("ProfileDlg", "ProfileDlg.Delete");
    Click("DeletePlayerNameDlg", "DeletePlayerNameDlg.Ok");
    Settle();
    EXPECT_EQ(Profiles().Profiles().size(), 1u);
    EXPECT_EQ(Profiles().ActiveProfileName(), "Ann");
    EXPECT_EQ(ReadFile(bobsSave).size(), 0u) << "the deleted player's save is emptied";
    EXPECT_EQ(Dialog().ItemCount(), 1);
    EXPECT_EQ(Widget("ProfileDlg", "Bob"), nullptr);
    EXPECT_FALSE(IsOpen("DeletePlayerNameDlg"));

    Click("ProfileDlg", "ProfileDlg.Delete");
    Click("DeletePlayerNameDlg", "DeletePlayerNameDlg.Ok");
    Settle();
    EXPECT_TRUE(Profiles().IsEmpty());
    EXPECT_TRUE(IsOpen("PlayerNameDlg"));
    EXPECT_TRUE(Cancel()->disabled) << "nobody to fall back on: a name must be given";
    // Cancel cannot get past it; Escape neither.
    Key(27);
    Settle();
    EXPECT_TRUE(IsOpen("PlayerNameDlg"));
    Type("Cy");
    Click("PlayerNameDlg", "PlayerNameDlg.Ok");
    Settle();
    EXPECT_EQ(Profiles().ActiveProfileName(), "Cy");
    EXPECT_FALSE(IsOpen("PlayerNameDlg"));
}

TEST_F(ProfileDialogTest, OkWithoutANameDoesNothing) {
    Profiles().AddProfile("Ann");
    BuildScreens();
    menu->OpenPanel("PlayerNameDlg");
    Settle();
    menu->pendingCommand = "PlayerNameDlg.Ok";
    Frame();
    Settle();
    EXPECT_TRUE(IsOpen("PlayerNameDlg"));
    EXPECT_EQ(Profiles().Profiles().size(), 1u);
}

// -------------------------------------------------------------------------------------------------
// High scores.

class ScoreDialogTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        Profiles().AddProfile("Ann");
        BuildScreens();
        ZoTopTables& tables = ZoTopTables::Instance();
        tables.RecordScore(0, "Ann", 12345);
        tables.RecordScore(0, "Bob", 900);
        tables.RecordScore(0, "Cy", 50);
        tables.RecordScore(1, "Dee", 777);
    }
    ZoScoreDlg& Dialog() { return *dynamic_cast<ZoScoreDlg*>(menu->GetPanel("ScoreDlg")); }
    std::vector<ZoTopRecord>& Rows(int table) { return ZoTopTables::Instance().Get(table)->Records(); }
};

TEST_F(ScoreDialogTest, RowsFadeInOneAfterAnother) {
    Click("MainMenuDlg", "MainMenuDlg.Score");
    EXPECT_TRUE(IsOpen("ScoreDlg"));
    EXPECT_EQ(Dialog().shownTable, 0);
    EXPECT_TRUE(Dialog().cascade);
    EXPECT_TRUE(Widget("ScoreDlg", "ScoreDlg.Prev")->disabled);
    EXPECT_FALSE(Widget("ScoreDlg", "ScoreDlg.Next")->disabled);
    std::vector<ZoTopRecord>& rows = Rows(0);
    ASSERT_EQ(rows.size(), 3u);
    // After the click's frame the first row has started and the others wait for it to pass 32.
    EXPECT_GT(rows[0].alpha, 0);
    EXPECT_EQ(rows[1].alpha, 0);
    EXPECT_EQ(rows[2].alpha, 0);
    // Each row waits until the one before it passes 32.
    for (int i = 0; i < 20; ++i) {
        const bool secondMayStart = rows[0].alpha > 32;
        const bool thirdMayStart = rows[1].alpha > 32;
        Frame(10);
        if (!secondMayStart && rows[0].alpha <= 32) {
            EXPECT_EQ(rows[1].alpha, 0) << "frame " << i;
        }
        if (!thirdMayStart && rows[1].alpha <= 32) {
            EXPECT_EQ(rows[2].alpha, 0) << "frame " << i;
        }
    }
    EXPECT_GT(rows[1].alpha, 32);
    EXPECT_GT(rows[2].alpha, 0);
    EXPECT_LT(rows[2].alpha, rows[1].alpha);
    for (int i = 0; i < 60; ++i)
        Frame(10);
    EXPECT_EQ(rows[2].alpha, 255);
    EXPECT_FALSE(Dialog().cascade);
}

TEST_F(ScoreDialogTest, ScoresEndAtTheScoreColumnAndNamesStartAtTheNameColumn) {
    Click("MainMenuDlg", "MainMenuDlg.Score");
    for (int i = 0; i < 80; ++i)
        Frame(10);
    const ZoTopLayout& layout = Dialog().layout;
    // The glyphs of the first row are the sprites drawn on its line; the rightmost ends at the score x.
    float rightmost = 0.0f;
    float leftmostPastNumbers = 800.0f;
    for (const ZoSpriteRecord& sprite : ZoRenderDevice::Instance().Batch()) {
        // Glyphs of the first row only: they hang just above its y.
        const float above = static_cast<float>(layout.topY) - sprite.y;
        if (above < 0.0f || above > static_cast<float>(layout.lineStep) / 2.0f || sprite.sourceWidth > 40)
            continue;
        rightmost = std::max(rightmost, sprite.x + static_cast<float>(sprite.sourceWidth) * sprite.scaleX);
        if (sprite.x > static_cast<float>(layout.numberX))
            leftmostPastNumbers = std::min(leftmostPastNumbers, sprite.x);
    }
    EXPECT_NEAR(rightmost, static_cast<float>(layout.scoreX), 3.0f);
    EXPECT_NEAR(leftmostPastNumbers, static_cast<float>(layout.nameX), 3.0f);
}

TEST_F(ScoreDialogTest, ArrowsSwitchTablesAndClearingTouchesOnlyTheShownOne) {
    Click("MainMenuDlg", "MainMenuDlg.Score");
    Settle();
    Click("ScoreDlg", "ScoreDlg.Next");
    EXPECT_EQ(Dialog().shownTable, 1);
    EXPECT_TRUE(Widget("ScoreDlg", "ScoreDlg.Next")->disabled);
    EXPECT_FALSE(Widget("ScoreDlg", "ScoreDlg.Prev")->disabled);
    for (int i = 0; i < 80; ++i)
        Frame(10);
    ASSERT_FALSE(Dialog().cascade);
    // Next on the Arcade table keeps it and does not start the rows again.
    menu->pendingCommand = "ScoreDlg.Next";
    Frame(10);
    EXPECT_EQ(Dialog().shownTable, 1);
    EXPECT_FALSE(Dialog().cascade);
    EXPECT_EQ(Rows(1)[0].alpha, 255);

    const std::string classicBefore = ReadFile("Data/Classic.Zot");
    ASSERT_FALSE(classicBefore.empty());
    Click("ScoreDlg", "ScoreDlg.Clear");
    Settle();
    ASSERT_TRUE(IsOpen("ConfirmScoreClearDlg"));
    Click("ConfirmScoreClearDlg", "ConfirmScoreClearDlg.Cancel");
    Settle();
    EXPECT_EQ(Rows(1).size(), 1u);
    Click("ScoreDlg", "ScoreDlg.Clear");
    Click("ConfirmScoreClearDlg", "ConfirmScoreClearDlg.Ok");
    Settle();
    EXPECT_TRUE(Rows(1).empty());
    EXPECT_EQ(Rows(0).size(), 3u);
    EXPECT_EQ(ReadFile("Data/Classic.Zot"), classicBefore);
    ZoTop reread;
    reread.SetFileName("Data/Arcade.Zot");
    reread.Records().push_back(ZoTopRecord{});
    ASSERT_TRUE(reread.Load());
    EXPECT_TRUE(reread.Records().empty()) << "the cleared table is on disk";

    Click("ScoreDlg", "ScoreDlg.Prev");
    EXPECT_EQ(Dialog().shownTable, 0);
    EXPECT_TRUE(Dialog().cascade);
    Key(27); // OK is the cancel button
    Settle();
    EXPECT_FALSE(IsOpen("ScoreDlg"));
    // It opens on the Classic table every time.
    Click("MainMenuDlg", "MainMenuDlg.Score");
    EXPECT_EQ(Dialog().shownTable, 0);
}

// -------------------------------------------------------------------------------------------------
// Options.

class OptionsDialogTest : public MenuFixture, public ZoDeviceHost {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        Profiles().AddProfile("Ann");
        ZoSysConfig& options = ZoSysConfig::Instance();
        options.windowed = false;
        options.difficulty = 1;
        options.soundVolume = 200;
        options.musicVolume = 200;
        BuildScreens();
        ZoSoundManager::Instance().SetSoundEnabled(true);
        ZoSoundManager::Instance().SetSoundVolume(200);
        ZoSoundManager::Instance().SetMusicVolume(200);
        ZoRenderDevice::Instance().SetApplication(this);
        Click("MainMenuDlg", "MainMenuDlg.Options");
        Settle();
    }
    void TearDown() override {
        // Back to the window the other tests draw into.
        PlatformVideo::Instance().RecreateWindow(true);
        ZoRenderDevice::Instance().Create();
        MenuFixture::TearDown();
    }
    // The window host of the application, as far as the device needs one.
    bool DestroyMainWindow() override {
        ++rebuilds;
        PlatformVideo::Instance().CloseWindow();
        return true;
    }
    void CreateMainWindow() override {
        PlatformVideo::Instance().OpenWindow("Korrik Shooter", ZoSysConfig::Instance().windowed);
    }
    // Presses the slider's track near its left end (or right end).
    void PressSlider(const std::string& name, bool leftEnd) {
        auto* slider = dynamic_cast<ZoSlider*>(Widget("OptionsDlg", name));
        ASSERT_NE(slider, nullptr);
        const float half = static_cast<float>(slider->Image()->Width() - slider->margin) / 2.0f;
        const float x = slider->Image()->position.x + (leftEnd ? -half + 2.0f : half - 2.0f);
        ClickAt(static_cast<int>(x), static_cast<int>(slider->Image()->position.y));
    }
    ZoCheckBoxGroup& Levels() {
        return *dynamic_cast<ZoCheckBoxGroup*>(Widget("OptionsDlg", "OptionsDlg.Difficult"));
    }
    bool Checked(int level) { return Levels().Boxes()[static_cast<std::size_t>(level)]->checked; }
    void ClickLevel(int level) {
        const ZoClip* box = Levels().Boxes()[static_cast<std::size_t>(level)]->Image();
        ClickAt(static_cast<int>(box->position.x), static_cast<int>(box->position.y));
    }
    static ZoSysConfig OnDisk() {
        ZoSysConfig read(ZoSysConfig::kFileName);
        read.Load();
        return read;
    }

    int rebuilds = 0;
};

TEST_F(OptionsDialogTest, WidgetsShowTheOptionsTheyWereBuiltFrom) {
    EXPECT_EQ(Widget("OptionsDlg", "OptionsDlg.SoundSlider")->GetValue(), 200);
    EXPECT_EQ(Widget("OptionsDlg", "OptionsDlg.MusicSlider")->GetValue(), 200);
    EXPECT_TRUE(dynamic_cast<ZoCheckBox*>(Widget("OptionsDlg", "OptionsDlg.WindowedCheckBox"))->checked)
        << "checked means full screen";
    EXPECT_FALSE(Checked(0));
    EXPECT_TRUE(Checked(1));
}

TEST_F(OptionsDialogTest, SlidersSetTheVolumesAtOnceAndSwitchSoundOffBelowSixteen) {
    ZoSoundManager& sound = ZoSoundManager::Instance();
    PressSlider("OptionsDlg.SoundSlider", true);
    EXPECT_LT(ZoSysConfig::Instance().soundVolume, 16);
    EXPECT_FALSE(sound.SoundEnabled()) << "the dialog's own click sounds stop too";
    PressSlider("OptionsDlg.SoundSlider", false);
    const std::int32_t loud = ZoSysConfig::Instance().soundVolume;
    EXPECT_GE(loud, 240);
    EXPECT_TRUE(sound.SoundEnabled());
    EXPECT_EQ(sound.SoundVolume(), loud);

    PressSlider("OptionsDlg.MusicSlider", true);
    EXPECT_LT(ZoSysConfig::Instance().musicVolume, 16);
    EXPECT_FALSE(sound.MusicEnabled());
    PressSlider("OptionsDlg.MusicSlider", false);
    const std::int32_t music = ZoSysConfig::Instance().musicVolume;
    EXPECT_GE(music, 240);
    EXPECT_EQ(sound.MusicVolume(), music);
    EXPECT_TRUE(sound.MusicEnabled());
    // Volumes are not written until OK.
    EXPECT_FALSE(Exists(ZoSysConfig::kFileName));
    Click("OptionsDlg", "OptionsDlg.Ok");
    Settle();
    EXPECT_FALSE(IsOpen("OptionsDlg"));
    EXPECT_EQ(OnDisk().soundVolume, loud);
    EXPECT_EQ(OnDisk().musicVolume, music);
}

TEST_F(OptionsDialogTest, DifficultyWithoutASavedGameChangesAtOnceAndSavesWithOk) {
    ClickLevel(2);
    Settle();
    EXPECT_EQ(ZoSysConfig::Instance().difficulty, 2);
    EXPECT_FALSE(IsOpen("DiffChangeDlg"));
    EXPECT_TRUE(Checked(2));
    // The box already checked sends only the group's name, which changes nothing.
    ClickLevel(2);
    EXPECT_EQ(ZoSysConfig::Instance().difficulty, 2);
    Key(27);
    Settle();
    EXPECT_FALSE(IsOpen("OptionsDlg"));
    EXPECT_EQ(OnDisk().difficulty, 2);
}

TEST_F(OptionsDialogTest, DifficultyWithASavedGameIsConfirmedFirst) {
    // A saved game of Ann's.
    Key(27);
    Settle();
    Click("MainMenuDlg", "MainMenuDlg.Classic");
    ASSERT_TRUE(game->Save());
    windows->ActivateListener("MenuWin");
    Click("MainMenuDlg", "MainMenuDlg.Options");
    Settle();

    ClickLevel(0);
    Settle();
    ASSERT_TRUE(IsOpen("DiffChangeDlg"));
    Click("DiffChangeDlg", "DiffChangeDlg.Cancel");
    Settle();
    EXPECT_FALSE(IsOpen("DiffChangeDlg"));
    EXPECT_TRUE(Checked(1)) << "the box shown before comes back";
    EXPECT_EQ(ZoSysConfig::Instance().difficulty, 1) << "and so does the level it stands for";
    EXPECT_TRUE(Profiles().ActiveHasSavedGame());

    ClickLevel(2);
    Settle();
    ASSERT_TRUE(IsOpen("DiffChangeDlg"));
    Click("DiffChangeDlg", "DiffChangeDlg.Ok");
    Settle();
    EXPECT_FALSE(Profiles().ActiveHasSavedGame());
    EXPECT_EQ(ReadFile(Profiles().SaveFileName()).size(), 0u);
    EXPECT_EQ(OnDisk().difficulty, 2) << "saved on the confirmation";
    EXPECT_TRUE(IsOpen("OptionsDlg"));
}

TEST_F(OptionsDialogTest, TheWindowedSwitchRebuildsTheWindowAndSavesAtOnce) {
    Click("OptionsDlg", "OptionsDlg.WindowedCheckBox");
    EXPECT_EQ(rebuilds, 1);
    EXPECT_TRUE(ZoSysConfig::Instance().windowed);
    EXPECT_TRUE(PlatformVideo::Instance().IsWindowed());
    EXPECT_TRUE(ZoRenderDevice::Instance().IsCreated());
    EXPECT_TRUE(OnDisk().windowed);
    // The menu still draws after the rebuild.
    Frame();
    EXPECT_FALSE(ZoRenderDevice::Instance().Batch().empty());
    Click("OptionsDlg", "OptionsDlg.WindowedCheckBox");
    EXPECT_EQ(rebuilds, 2);
    EXPECT_FALSE(PlatformVideo::Instance().IsWindowed());
    EXPECT_FALSE(OnDisk().windowed);
}

} // namespace
