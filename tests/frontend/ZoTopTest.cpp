// High-score tables: the best ten in order, the file byte for byte, hand-written and damaged files.
#include "TestFiles.h"

#include "ZoShowError.h"
#include "ZoTop.h"
#include "ZoTopTables.h"

#include <gtest/gtest.h>

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WriteBytes(path, bytes);
}

ZoTopRecord Record(const std::string& name, std::int32_t score) {
    ZoTopRecord record;
    record.playerName = name;
    record.score = score;
    return record;
}

// "name:score" for every record, in order.
std::string Lines(const ZoTop& table) {
    std::string lines;
    for (const ZoTopRecord& r : table.Records())
        lines += (lines.empty() ? "" : " ") + r.playerName + ":" + std::to_string(r.score);
    return lines;
}

// The one-record table as the writer puts it on disk: TAB indents and CR LF line ends.
const char* const kOneRecordFile =
    "0 = {\r\n\tDifficulty=\"\"\r\n\tEpisode=0\r\n\tLevel=0\r\n\tPlayerName=\"Ann\"\r\n"
    "\tScores=1250\r\n\tTime=0\r\n}\r\nNumRecords=1\r\n";

TEST(TopRecording, KeepsTheBestTenBestFirstAndOlderRecordsAboveEqualScores) {
    ZoTop ties;
    EXPECT_EQ(ties.AddRecord(Record("Nobody", 0)), -1) << "a game that scored nothing is not entered";
    EXPECT_EQ(ties.AddRecord(Record("First", 500)), 0);
    EXPECT_EQ(ties.AddRecord(Record("Second", 500)), 1);
    EXPECT_EQ(ties.AddRecord(Record("Best", 800)), 0);
    for (int i = 0; i < 7; ++i)
        ties.AddRecord(Record("P" + std::to_string(i), 400 - 10 * i));
    EXPECT_EQ(ties.AddRecord(Record("Pushed", 450)), 3) << "the tenth, P6, goes";
    EXPECT_EQ(ties.AddRecord(Record("Tie", 350)), -1) << "equal to the last: in last and out again";
    EXPECT_EQ(Lines(ties),
              "Best:800 First:500 Second:500 Pushed:450 P0:400 P1:390 P2:380 P3:370 P4:360 P5:350");
}

class TopFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        table.SetFileName(file);
    }
    TempFolder folder;
    const std::string file = folder / "Data/Classic.Zot";
    ZoTop table;
};

TEST_F(TopFileTest, WrittenByteForByteAndReadBackWithAwkwardNames) {
    table.AddRecord(Record("Ann", 1250));
    ASSERT_TRUE(table.Save()); // creates the missing Data folder too
    EXPECT_EQ(ReadBytes(file), kOneRecordFile);
    EXPECT_EQ(FilesIn(folder / "Data"), std::vector<std::string>{"Classic.Zot"}) << "stray temporary file";
    for (const char* name :
         {"Bob Smith", "quote\"d", "back\\slash", "tab\there", "line\nbreak", "", "=}{//"}) {
        ZoTopRecord r = Record(name, 1000);
        r.difficulty = "Hard";
        r.time = -7;
        table.AddRecord(r);
    }
    ASSERT_TRUE(table.Save());
    ZoTop back;
    back.SetFileName(file);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(Lines(back), Lines(table));
    EXPECT_EQ(back.Records()[7].difficulty, "Hard");
    EXPECT_EQ(back.Records()[7].time, -7);
    ASSERT_TRUE(table.Clear());
    EXPECT_EQ(ReadBytes(file), "NumRecords=0\r\n");
}

TEST_F(TopFileTest, AFailedWriteSaysSoAndLeavesNothingBehind) {
    WriteFile(folder / "Data/Classic.Zot/Keep.Txt", "kept"); // the table's name taken by a folder
    table.AddRecord(Record("Ann", 1250));
    EXPECT_FALSE(table.Save());
    EXPECT_EQ(FilesIn(folder / "Data"), std::vector<std::string>{"Classic.Zot"});
    EXPECT_EQ(ReadBytes(folder / "Data/Classic.Zot/Keep.Txt"), "kept");
}

TEST_F(TopFileTest, HandWrittenAndDamagedFilesLoadWithinBounds) {
    const struct {
        std::string text;
        bool loads;
        std::string lines;
    } cases[] = {
        // File order, not sorted; blanks, comments and LF line ends; missing keys give "" and 0.
        {"// by hand\nNumRecords = 3\n1 = { PlayerName = \"Low\" Scores = 10 }\n0 = {\n "
         "PlayerName=\"High\"\n}\n"
         "2 = { Scores=300 }\n",
         true, "High:0 Low:10 :300"},
        {"0 = { Scores=5 }\nNumRecords=-2147483648\n", true, ""},
        {"0 = { Scores=5 }\nNumRecords=99999999999999\n", true, ":5 :0 :0 :0 :0 :0 :0 :0 :0 :0"},
        {"0 = { Scores=12abc PlayerName=Unquoted }\n1 = { Scores=\"300\" }\nNumRecords=2\n", true,
         "nquote:12 :0"},
        {"0 = {\n\tPlayerName \"Eve\"\n}\nNumRecords=1\n", false, "Kept:77"},
        {"}\n", false, "Kept:77"},
    };
    for (const auto& c : cases) {
        table.Records() = {Record("Kept", 77)};
        WriteFile(file, c.text);
        EXPECT_EQ(table.Load(), c.loads) << c.text;
        EXPECT_EQ(Lines(table), c.lines) << c.text;
    }
    // A name of any length is cut, so a hand-edited file cannot make one row cost a sprite per byte.
    WriteFile(file, "NumRecords=1\n0 = { PlayerName=\"" + std::string(200000, 'N') + "\" Scores=1 }\n");
    ASSERT_TRUE(table.Load());
    EXPECT_EQ(table.Records()[0].playerName.size(), ZoTop::kMaxTextLength);
}

TEST(TopTables, EachGameTableLivesInItsOwnFile) {
    TempFolder folder;
    SetErrorHandler([](const std::string&) {}); // no archive here: the title pictures are missing
    WriteFile(folder / "Data/Arcade.Zot", kOneRecordFile);
    ZoTopTables& tables = ZoTopTables::Instance();
    tables.CreateGameTables(folder.Path() + "/");
    ASSERT_EQ(tables.Count(), 2u);
    EXPECT_EQ(Lines(*tables.Get(ZoTopTables::kArcade)), "Ann:1250") << "loaded at once";
    EXPECT_EQ(tables.RecordScore(ZoTopTables::kClassic, "Bob", 900), 0);
    EXPECT_EQ(tables.RecordScore(ZoTopTables::kClassic, "Zero", 0), -1);
    EXPECT_EQ(ReadBytes(folder / "Data/Arcade.Zot"), kOneRecordFile)
        << "only the game's own table is written";
    EXPECT_NE(ReadBytes(folder / "Data/Classic.Zot").find("PlayerName=\"Bob\""), std::string::npos);
    tables.Clear();
    SetErrorHandler(nullptr);
}

} // namespace
