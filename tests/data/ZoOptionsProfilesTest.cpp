#include "TempFolder.h"
#include "ZoArchiveWriter.h"
#include "ZoLanguage.h"
#include "ZoProfileManager.h"
#include "ZoResourceManager.h"
#include "ZoSysConfig.h"

#include <gtest/gtest.h>

TEST(ZoSysConfig, MissingFileOrKeysAndTheBytesSaved) {
    TempFolder folder;
    ZoSysConfig config(folder / "Data/ZoConfig.Cfg");
    config.windowed = true;
    config.soundVolume = 7;
    EXPECT_FALSE(config.Load()); // no file: the defaults
    EXPECT_TRUE(!config.windowed && config.soundVolume == 100 && config.musicVolume == 100 &&
                config.difficulty == 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "Data")); // loading writes nothing
    ASSERT_TRUE(config.Save());                             // creates Data/
    EXPECT_EQ(ReadBytes(folder / "Data/ZoConfig.Cfg"),
              "DifficultLevel=0\r\nMusicVolume=100\r\nSoundVolume=100\r\nWindowed=0\r\n");

    // Missing keys read as zero; Windowed is 0 or 1 whatever the file held.
    WriteBytes(folder / "c.cfg", "Windowed=2\r\n");
    ZoSysConfig partial(folder / "c.cfg");
    ASSERT_TRUE(partial.Load());
    EXPECT_TRUE(partial.windowed && partial.soundVolume == 0 && partial.musicVolume == 0 &&
                partial.difficulty == 0);
    ASSERT_TRUE(partial.Save());
    EXPECT_EQ(ReadBytes(folder / "c.cfg"),
              "DifficultLevel=0\r\nMusicVolume=0\r\nSoundVolume=0\r\nWindowed=1\r\n");
}

TEST(ZoSysConfig, UnknownKeysSurviveAndUnparsableFileFallsBack) {
    TempFolder folder;
    WriteBytes(folder / "c.cfg",
               "Future = {\n\tMode=\"x\"\n}\nSoundVolume=40\nMusicVolume=300\nDifficultLevel=2\n");
    ZoSysConfig config(folder / "c.cfg");
    ASSERT_TRUE(config.Load());
    EXPECT_EQ(config.soundVolume, 40);
    EXPECT_EQ(config.musicVolume, 255); // kept within the sliders' range
    EXPECT_EQ(config.difficulty, 2);
    config.soundVolume = 41;
    ASSERT_TRUE(config.Save());
    EXPECT_EQ(ReadBytes(folder / "c.cfg"),
              "DifficultLevel=2\r\nFuture = {\r\n\tMode=\"x\"\r\n}\r\nMusicVolume=255\r\n"
              "SoundVolume=41\r\nWindowed=0\r\n");

    WriteBytes(folder / "bad.cfg", "SoundVolume 5\n");
    ZoSysConfig broken(folder / "bad.cfg");
    EXPECT_FALSE(broken.Load());
    EXPECT_EQ(broken.soundVolume, 100);
}

TEST(ZoSysConfig, EqualityAndAssignmentCoverTheFourOptionsOnly) {
    ZoSysConfig a("a.cfg"), b("b.cfg");
    EXPECT_TRUE(a == b);
    b.musicVolume = 5;
    EXPECT_TRUE(a != b);
    a = b;
    EXPECT_TRUE(a == b);
    EXPECT_EQ(a.FileName(), "a.cfg");
}

TEST(ZoSysConfig, FailedWriteKeepsOldFileAndReportsIt) {
    TempFolder folder;
    const std::string path = folder / "c.cfg";
    WriteBytes(path, "Windowed=1\r\n");
    // The new file needs more than ten bytes.
    const int result = RunWithFileSizeLimit(10, [&] {
        ZoSysConfig config(path);
        config.Load();
        return config.Save() ? 3 : (config.Tree().Status() == 1 && config.windowed ? 0 : 4);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(path), "Windowed=1\r\n");
    EXPECT_EQ(FilesIn(folder.Path()).size(), 1u);
}

namespace {

struct Profiles {
    TempFolder folder;
    ZoProfileManager manager{folder / "Data//Profiles.Txt", folder / "Data/Save/"};
    std::string SavePath(const std::string& fileName) { return folder / ("Data/Save/" + fileName); }
};

} // namespace

TEST(ZoProfileManager, AddSelectAndSaveByteForByte) {
    Profiles p;
    EXPECT_TRUE(p.manager.IsEmpty());
    EXPECT_EQ(p.manager.Active(), -1);
    EXPECT_TRUE(p.manager.AddProfile("Ann"));
    EXPECT_TRUE(p.manager.AddProfile("Bob \"B\""));
    EXPECT_EQ(p.manager.Active(), 1);
    EXPECT_EQ(p.manager.PreviousActive(), 0);
    EXPECT_TRUE(p.manager.AddProfile("Ann")); // exists: becomes active, nothing added
    EXPECT_EQ(p.manager.Profiles().size(), 2u);
    EXPECT_EQ(p.manager.Active(), 0);
    EXPECT_EQ(p.manager.PreviousActive(), 1);
    p.manager.SelectProfile("Bob \"B\"");
    EXPECT_EQ(p.manager.Active(), 1);
    EXPECT_EQ(p.manager.PreviousActive(), 0);
    ASSERT_TRUE(p.manager.SaveProfiles()); // creates Data/
    EXPECT_EQ(ReadBytes(p.folder / "Data/Profiles.Txt"),
              "ActiveProfile=1\r\nPlayerName0=\"Ann\"\r\nPlayerName1=\"Bob \\\"B\\\"\"\r\n");

    ZoProfileManager back(p.folder / "Data//Profiles.Txt", p.folder / "Data/Save/");
    ASSERT_TRUE(back.LoadProfiles());
    EXPECT_EQ(back.ActiveProfileName(), "Bob \"B\"");
    EXPECT_EQ(back.Profiles()[0]->name, "Ann");
}

TEST(ZoProfileManager, ElevenProfilesKeepTheirOrder) {
    Profiles p;
    for (int i = 0; i < 11; ++i)
        p.manager.AddProfile("P" + std::to_string(i));
    ASSERT_TRUE(p.manager.SaveProfiles());
    ZoProfileManager back(p.folder / "Data//Profiles.Txt", p.folder / "Data/Save/");
    ASSERT_TRUE(back.LoadProfiles());
    ASSERT_EQ(back.Profiles().size(), 11u);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(back.Profiles()[static_cast<std::size_t>(i)]->name, "P" + std::to_string(i));
    EXPECT_EQ(back.Active(), 10);
}

TEST(ZoProfileManager, LoadStopsAtGapAndFlagsSavedGames) {
    Profiles p;
    std::filesystem::create_directories(p.folder / "Data/Save");
    WriteBytes(p.folder / "Data/Profiles.Txt",
               "ActiveProfile=0\r\nPlayerName0=\"Ann\"\r\nPlayerName2=\"Cy\"\r\n");
    WriteBytes(p.SavePath("Ann.Zos"), "Score=1");
    ASSERT_TRUE(p.manager.LoadProfiles());
    ASSERT_EQ(p.manager.Profiles().size(), 1u);
    EXPECT_TRUE(p.manager.ActiveHasSavedGame());

    WriteBytes(p.SavePath("Ann.Zos"), "abc"); // three bytes are no saved game
    p.manager.RefreshSavedFlag();
    EXPECT_FALSE(p.manager.ActiveHasSavedGame());

    ZoProfileManager absent(p.folder / "none.txt", p.folder / "Data/Save/");
    EXPECT_FALSE(absent.LoadProfiles());
    EXPECT_EQ(absent.Active(), -1);
    EXPECT_TRUE(absent.IsEmpty());
}

TEST(ZoProfileManager, DeleteMakesFirstActiveAndEmptiesTheSlot) {
    Profiles p;
    for (const char* name : {"Ann", "Bob", "Cy"})
        p.manager.AddProfile(name);
    p.manager.SelectProfile("Bob");
    std::filesystem::create_directories(p.folder / "Data/Save");
    WriteBytes(p.SavePath("Bob.Zos"), "a saved game");
    p.manager.RefreshSavedFlag();
    ASSERT_TRUE(p.manager.ActiveHasSavedGame());
    EXPECT_EQ(p.manager.SaveFileName(), p.SavePath("Bob.Zos"));

    ASSERT_TRUE(p.manager.DeleteActiveProfile());
    EXPECT_EQ(p.manager.ActiveProfileName(), "Ann");
    EXPECT_EQ(p.manager.PreviousActive(), -1);
    EXPECT_EQ(p.manager.Profiles().size(), 2u);
    ASSERT_TRUE(std::filesystem::exists(p.SavePath("Bob.Zos")));
    EXPECT_EQ(std::filesystem::file_size(p.SavePath("Bob.Zos")), 0u); // emptied, kept

    ASSERT_TRUE(p.manager.DeleteActiveProfile());
    ASSERT_TRUE(p.manager.DeleteActiveProfile());
    EXPECT_TRUE(p.manager.IsEmpty());
    EXPECT_EQ(p.manager.ActiveProfileName(), "");
    EXPECT_FALSE(p.manager.DeleteActiveProfile());
}

TEST(ZoProfileManager, ActiveIndexOutsideListMeansNoActiveProfile) {
    Profiles p;
    std::filesystem::create_directories(p.folder / "Data/Save");
    WriteBytes(p.folder / "Data/Profiles.Txt", "ActiveProfile=7\r\nPlayerName0=\"Ann\"\r\n");
    WriteBytes(p.SavePath("Ann.Zos"), "a saved game");
    ASSERT_TRUE(p.manager.LoadProfiles());
    EXPECT_EQ(p.manager.Active(), 7); // stored unchanged
    EXPECT_FALSE(p.manager.HasActiveProfile());
    EXPECT_EQ(p.manager.ActiveProfileName(), "");
    EXPECT_FALSE(p.manager.ActiveHasSavedGame());
    EXPECT_FALSE(p.manager.DeleteActiveProfile());
    EXPECT_EQ(p.manager.Profiles().size(), 1u);
    p.manager.RefreshSavedFlag();
    p.manager.ClearSavedGame();
    EXPECT_EQ(ReadBytes(p.SavePath("Ann.Zos")), "a saved game");
    EXPECT_TRUE(p.manager.Profiles()[0]->hasSavedGame); // loaded flag untouched by the no-op refresh

    WriteBytes(p.folder / "Data/Profiles.Txt", "ActiveProfile=-3\r\nPlayerName0=\"Ann\"\r\n");
    ASSERT_TRUE(p.manager.LoadProfiles());
    EXPECT_EQ(p.manager.ActiveProfileName(), "");
    EXPECT_FALSE(p.manager.DeleteActiveProfile());
}

TEST(ZoProfileManager, UnsafeNamesStayInsideTheSaveFolder) {
    EXPECT_EQ(ZoProfileManager::SafeFileName("Ann Lee 2"), "Ann Lee 2");
    EXPECT_EQ(ZoProfileManager::SafeFileName("../../etc/passwd"), "%2E.%2F..%2Fetc%2Fpasswd");
    EXPECT_EQ(ZoProfileManager::SafeFileName(".."), "%2E.");
    EXPECT_EQ(ZoProfileManager::SafeFileName("a\\b"), "a%5Cb");
    EXPECT_EQ(ZoProfileManager::SafeFileName("100%"), "100%25");
    EXPECT_EQ(ZoProfileManager::SafeFileName("tab\there\n"), "tab%09here%0A");
    EXPECT_EQ(ZoProfileManager::SafeFileName(""), "%");
    // Distinct names never share a slot, even when one looks like another's encoding.
    EXPECT_NE(ZoProfileManager::SafeFileName("a/b"), ZoProfileManager::SafeFileName("a%2Fb"));
    EXPECT_NE(ZoProfileManager::SafeFileName(".x"), ZoProfileManager::SafeFileName("%2Ex"));

    Profiles p;
    for (const std::string name : {"../../evil", "/abs", "..", ".hidden", "a\\b", "x\x01y", ""}) {
        p.manager.AddProfile(name);
        const std::string file = p.manager.SaveFileName();
        ASSERT_EQ(file.compare(0, (p.folder / "Data/Save/").size(), p.folder / "Data/Save/"), 0) << name;
        const std::string leaf = file.substr((p.folder / "Data/Save/").size());
        EXPECT_EQ(leaf.find('/'), std::string::npos) << name;
        EXPECT_NE(leaf.front(), '.') << name;
        p.manager.ClearSavedGame(); // creates the save folder the first time
        ASSERT_TRUE(std::filesystem::exists(file)) << name;
        EXPECT_EQ(std::filesystem::file_size(file), 0u) << name;
        p.manager.RefreshSavedFlag();
        EXPECT_FALSE(p.manager.ActiveHasSavedGame()) << name;
    }
    // Nothing escaped: the temporary folder holds only Data, and Data only Save.
    EXPECT_EQ(FilesIn(p.folder.Path()), std::vector<std::string>{"Data"});
    EXPECT_EQ(FilesIn(p.folder / "Data"), std::vector<std::string>{"Save"});
    EXPECT_EQ(FilesIn(p.folder / "Data/Save").size(), 7u);
}

TEST(ZoLanguage, TextsOfTheCurrentLanguageOnly) {
    TempFolder folder;
    ASSERT_TRUE(
        ZoArchiveWriter::Write(folder / "Resource.Zor", {{"Data/Fonts.Txt", "Language=\"English\"\r\n"}}));
    ASSERT_TRUE(ZoArchiveWriter::Write(
        folder / "Lang.Zor",
        {{"Data/Lang.Txt", "English = {\r\n\tConfirmClearTable=\"Clear the table?\\nSure?\"\r\n}\r\n"
                           "German = {\r\n\tConfirmDeletePlayer=\"Spieler l\xF6schen?\"\r\n}\r\n"},
         {"Data/Fonts.Txt", "Language=\"German\""}}));
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(folder / "Resource.Zor"));
    ASSERT_TRUE(archives.Open(folder / "Lang.Zor"));
    ZoLanguage language(archives);
    EXPECT_EQ(language.Language(), "English"); // the first archive's Fonts.Txt wins
    EXPECT_EQ(language.GetText("ConfirmClearTable"), "Clear the table?\nSure?");
    EXPECT_EQ(language.GetText("ConfirmDeletePlayer"), "");
}

TEST(ZoLanguage, MissingFilesGiveEmptyTexts) {
    ZoResourceManager none;
    ZoLanguage language(none);
    EXPECT_EQ(language.Language(), "");
    EXPECT_EQ(language.GetText("ConrirmStart"), "");

    TempFolder folder;
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "Lang.Zor",
                                       {{"Data/Lang.Txt", "English = {\nConrirmStart=\"Go?\"\n}\n"}}));
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(folder / "Lang.Zor"));
    ZoLanguage noFonts(archives);
    EXPECT_EQ(noFonts.GetText("ConrirmStart"), ""); // no language: "." + key matches nothing
}

// The game's own objects use the game's file names; nothing here touches the disk.
TEST(ZoDataFileNames, ProcessWideObjectsUseTheGameFiles) {
    EXPECT_EQ(ZoSysConfig::Instance().FileName(), "Data/ZoConfig.Cfg");
    EXPECT_EQ(ZoProfileManager::Instance().ProfilesFile(), "Data//Profiles.Txt");
    EXPECT_EQ(&ZoSysConfig::Instance(), &ZoSysConfig::Instance());
    ZoProfileManager manager;
    manager.AddProfile("Ann");
    EXPECT_EQ(manager.SaveFileName(), "Data/Save/Ann.Zos");
}
