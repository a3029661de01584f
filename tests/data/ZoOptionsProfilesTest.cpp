// The player's own files: the options and the profiles with their save slots, byte for byte.
#include "TestFiles.h"
#include "ZoProfileManager.h"
#include "ZoSysConfig.h"

#include <gtest/gtest.h>

namespace {

TEST(ZoSysConfig, DefaultsWithoutAFileAndTheBytesSavedWithUnknownKeysKept) {
    TempFolder folder;
    ZoSysConfig config(folder / "Data/ZoConfig.Cfg");
    config.soundVolume = 7;
    EXPECT_FALSE(config.Load());
    EXPECT_TRUE(!config.windowed && config.soundVolume == 100 && config.musicVolume == 100 && !config.difficulty);
    EXPECT_FALSE(std::filesystem::exists(folder / "Data")); // loading writes nothing
    ASSERT_TRUE(config.Save());
    EXPECT_EQ(ReadBytes(folder / "Data/ZoConfig.Cfg"),
              "DifficultLevel=0\r\nMusicVolume=100\r\nSoundVolume=100\r\nWindowed=0\r\n");

    // Missing keys read as zero; Windowed is 0 or 1 whatever the file held; other keys survive a save.
    WriteBytes(folder / "c.cfg", "Future = {\n\tMode=\"x\"\n}\nWindowed=2\nSoundVolume=40\nMusicVolume=300\n");
    ZoSysConfig partial(folder / "c.cfg");
    ASSERT_TRUE(partial.Load());
    EXPECT_TRUE(partial.windowed && partial.soundVolume == 40 && partial.musicVolume == 255 &&
                !partial.aimingGuide); // volumes kept within the sliders' range, no guide
    ASSERT_TRUE(partial.Save());
    EXPECT_EQ(ReadBytes(folder / "c.cfg"), "DifficultLevel=0\r\nFuture = {\r\n\tMode=\"x\"\r\n}\r\nMusicVolume=255\r\n"
                                           "SoundVolume=40\r\nWindowed=1\r\n");
    // The aiming guide's key joins the file once the guide is switched on, and stays when it goes off.
    for (const char* saved : {"AimingGuide=1\r\n", "AimingGuide=0\r\n"}) {
        partial.aimingGuide = !partial.aimingGuide;
        ASSERT_TRUE(partial.Save());
        EXPECT_EQ(ReadBytes(folder / "c.cfg").substr(0, 15), saved);
    }
    WriteBytes(folder / "bad.cfg", "SoundVolume 5\n");
    ZoSysConfig broken(folder / "bad.cfg");
    EXPECT_FALSE(broken.Load());
    EXPECT_EQ(broken.soundVolume, 100);
}

struct Profiles {
    TempFolder folder;
    ZoProfileManager manager{folder / "Data//Profiles.Txt", folder / "Data/Save/"};
    std::string Save(const std::string& name) { return folder / ("Data/Save/" + name + ".Zos"); }
};

TEST(ZoProfileManager, PlayersKeepTheirOrderAndTheActiveOneAcrossSaveAndLoad) {
    Profiles p;
    for (int i = 0; i < 11; ++i)
        p.manager.AddProfile("P" + std::to_string(i));
    p.manager.AddProfile("Bob \"B\"");
    EXPECT_TRUE(p.manager.AddProfile("P0")); // known: becomes active, nothing added
    p.manager.SelectProfile("Bob \"B\"");
    ASSERT_TRUE(p.manager.SaveProfiles());
    const std::string bytes = ReadBytes(p.folder / "Data/Profiles.Txt");
    EXPECT_EQ(bytes.rfind("ActiveProfile=11\r\nPlayerName0=\"P0\"\r\nPlayerName1=\"P1\"\r\nPlayerName10=", 0), 0u);
    EXPECT_NE(bytes.find("PlayerName11=\"Bob \\\"B\\\"\"\r\n"), std::string::npos) << bytes;
    ZoProfileManager back(p.folder / "Data//Profiles.Txt", p.folder / "Data/Save/");
    ASSERT_TRUE(back.LoadProfiles());
    ASSERT_EQ(back.Profiles().size(), 12u);
    EXPECT_EQ(back.Profiles()[10]->name, "P10");
    EXPECT_EQ(back.ActiveProfileName(), "Bob \"B\"");
}

TEST(ZoProfileManager, SavedGameFlagGapsAndIndexesOutsideTheList) {
    Profiles p;
    std::filesystem::create_directories(p.folder / "Data/Save");
    WriteBytes(p.folder / "Data/Profiles.Txt", "ActiveProfile=0\r\nPlayerName0=\"Ann\"\r\nPlayerName2=\"Cy\"\r\n");
    WriteBytes(p.Save("Ann"), "Score=1");
    ASSERT_TRUE(p.manager.LoadProfiles());
    EXPECT_EQ(p.manager.Profiles().size(), 1u); // the list stops at the first gap
    EXPECT_TRUE(p.manager.ActiveHasSavedGame());
    WriteBytes(p.Save("Ann"), "abc"); // three bytes are no saved game
    p.manager.RefreshSavedFlag();
    EXPECT_FALSE(p.manager.ActiveHasSavedGame());
    // A hand-edited active index outside the list means nobody is active: nothing is deleted or emptied.
    for (const char* index : {"7", "-3"}) {
        WriteBytes(p.Save("Ann"), "a saved game");
        WriteBytes(p.folder / "Data/Profiles.Txt", std::string("ActiveProfile=") + index + "\r\nPlayerName0=\"Ann\"\r\n");
        ASSERT_TRUE(p.manager.LoadProfiles());
        EXPECT_EQ(p.manager.ActiveProfileName(), "");
        EXPECT_FALSE(p.manager.ActiveHasSavedGame());
        EXPECT_FALSE(p.manager.DeleteActiveProfile());
        p.manager.ClearSavedGame();
        EXPECT_EQ(ReadBytes(p.Save("Ann")), "a saved game");
    }
    ZoProfileManager absent(p.folder / "none.txt", p.folder / "Data/Save/");
    EXPECT_FALSE(absent.LoadProfiles());
    EXPECT_TRUE(absent.IsEmpty());
}

TEST(ZoProfileManager, DeletingEmptiesTheSlotAndMakesTheFirstPlayerActive) {
    Profiles p;
    for (const char* name : {"Ann", "Bob", "Cy"})
        p.manager.AddProfile(name);
    p.manager.SelectProfile("Bob");
    std::filesystem::create_directories(p.folder / "Data/Save");
    WriteBytes(p.Save("Bob"), "a saved game");
    ASSERT_TRUE(p.manager.DeleteActiveProfile());
    EXPECT_EQ(p.manager.ActiveProfileName(), "Ann");
    EXPECT_EQ(ReadBytes(p.Save("Bob")), ""); // emptied, kept: an empty slot
    EXPECT_TRUE(std::filesystem::exists(p.Save("Bob")));
    ASSERT_TRUE(p.manager.DeleteActiveProfile() && p.manager.DeleteActiveProfile());
    EXPECT_TRUE(p.manager.IsEmpty());
    EXPECT_FALSE(p.manager.DeleteActiveProfile());
}

TEST(ZoProfileManager, EveryNameGetsASlotOfItsOwnInsideTheSaveFolder) {
    EXPECT_EQ(ZoProfileManager::SafeFileName("Ann Lee 2"), "Ann Lee 2"); // existing slots keep their names
    EXPECT_EQ(ZoProfileManager::SafeFileName("../../etc/passwd"), "%2E.%2F..%2Fetc%2Fpasswd");
    EXPECT_NE(ZoProfileManager::SafeFileName("a/b"), ZoProfileManager::SafeFileName("a%2Fb"));
    EXPECT_NE(ZoProfileManager::SafeFileName(".x"), ZoProfileManager::SafeFileName("%2Ex"));
    Profiles p;
    const char* const names[] = {"../../evil", "/abs", "..", ".hidden", "a\\b", "x\x01y", "", "100%"};
    for (const std::string name : names) {
        p.manager.AddProfile(name);
        p.manager.ClearSavedGame();
        EXPECT_EQ(ReadBytes(p.manager.SaveFileName()), "") << name;
        EXPECT_TRUE(std::filesystem::exists(p.manager.SaveFileName())) << name;
    }
    EXPECT_EQ(FilesIn(p.folder.Path()), std::vector<std::string>{"Data"});
    EXPECT_EQ(FilesIn(p.folder / "Data"), std::vector<std::string>{"Save"});
    EXPECT_EQ(FilesIn(p.folder / "Data/Save").size(), std::size(names));
}

} // namespace
