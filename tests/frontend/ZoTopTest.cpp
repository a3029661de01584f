// High-score tables: recording order and ties, the file byte for byte, hand-written and damaged files.
#include "../data/TempFolder.h"

#include "ZoRandom.h"
#include "ZoShowError.h"
#include "ZoTop.h"
#include "ZoTopTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

// Every file below folder, relative to it and sorted: shows stray or temporary files anywhere inside.
std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored))
        if (entry.is_regular_file())
            names.push_back(std::filesystem::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

// Writes a file, creating its folder.
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

std::vector<std::pair<std::string, std::int32_t>> Lines(const ZoTop& table) {
    std::vector<std::pair<std::string, std::int32_t>> lines;
    for (const ZoTopRecord& r : table.Records())
        lines.emplace_back(r.playerName, r.score);
    return lines;
}

// A table of ten records named P0..P9 scoring 1000, 900, ... 100.
void FillTen(ZoTop& table) {
    for (int i = 0; i < 10; ++i)
        table.AddRecord(Record("P" + std::to_string(i), 1000 - 100 * i));
}

// The one-record table as the writer puts it on disk: TAB indents and CR LF line ends.
const char* const kOneRecordFile = "0 = {\r\n"
                                   "\tDifficulty=\"\"\r\n"
                                   "\tEpisode=0\r\n"
                                   "\tLevel=0\r\n"
                                   "\tPlayerName=\"Ann\"\r\n"
                                   "\tScores=1250\r\n"
                                   "\tTime=0\r\n"
                                   "}\r\n"
                                   "NumRecords=1\r\n";

class TopFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        file = folder / "Data/Classic.Zot";
        table.SetFileName(file);
    }

    TempFolder folder;
    std::string file;
    ZoTop table;
};

} // namespace

// --- recording ---------------------------------------------------------------------------------------

TEST(TopRecording, KeepsTheBestTenBestFirstWhateverTheOrderOfArrival) {
    SystemRandom().Seed(20261206);
    ZoTop table;
    std::vector<std::int32_t> all;
    for (int game = 0; game < 40; ++game) {
        const std::int32_t score = 1 + SystemRandom().Below(5000);
        all.push_back(score);
        table.AddRecord(Record("G" + std::to_string(game), score));
        ASSERT_LE(table.Records().size(), 10u);
    }
    std::sort(all.begin(), all.end(), std::greater<std::int32_t>());
    all.resize(10);
    std::vector<std::int32_t> kept;
    for (const ZoTopRecord& r : table.Records())
        kept.push_back(r.score);
    EXPECT_EQ(kept, all);
}

TEST(TopRecording, EqualScoresKeepTheOlderRecordAbove) {
    ZoTop table;
    EXPECT_EQ(table.AddRecord(Record("First", 500)), 0);
    EXPECT_EQ(table.AddRecord(Record("Second", 500)), 1);
    EXPECT_EQ(table.AddRecord(Record("Best", 800)), 0);
    EXPECT_EQ(table.AddRecord(Record("Third", 500)), 3);
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {"Best", 800}, {"First", 500}, {"Second", 500}, {"Third", 500}};
    EXPECT_EQ(Lines(table), expected);
}

TEST(TopRecording, TiesStayInArrivalOrderInALargeTable) {
    // Large enough that an unstable sort would reorder equal scores.
    SystemRandom().Seed(7);
    ZoTop table;
    table.SetMaximum(300);
    for (int game = 0; game < 300; ++game)
        table.AddRecord(Record(std::to_string(game), 1 + SystemRandom().Below(4)));
    ASSERT_EQ(table.Records().size(), 300u);
    for (std::size_t i = 1; i < table.Records().size(); ++i) {
        const ZoTopRecord& above = table.Records()[i - 1];
        const ZoTopRecord& below = table.Records()[i];
        ASSERT_GE(above.score, below.score);
        if (above.score == below.score) {
            ASSERT_LT(std::stoi(above.playerName), std::stoi(below.playerName)) << "at " << i;
        }
    }
}

TEST(TopRecording, EleventhRecordPushesOutTheTenthOrFallsOutItself) {
    ZoTop table;
    FillTen(table);
    EXPECT_EQ(table.AddRecord(Record("New", 450)), 6);
    ASSERT_EQ(table.Records().size(), 10u);
    EXPECT_EQ(table.Records()[6].playerName, "New");
    EXPECT_EQ(table.Records()[9].playerName, "P8"); // the old tenth, P9, is gone
    const auto before = Lines(table);
    // Worse than all ten, and equal to the last: both come in last and drop out again.
    EXPECT_EQ(table.AddRecord(Record("Worse", 50)), -1);
    EXPECT_EQ(table.AddRecord(Record("Tie", 200)), -1);
    EXPECT_EQ(Lines(table), before);
}

TEST(TopRecording, ZeroScoreIsNotEnteredNegativeScoreIs) {
    ZoTop table;
    EXPECT_EQ(table.AddRecord(Record("Nobody", 0)), -1);
    EXPECT_TRUE(table.Records().empty());
    EXPECT_EQ(table.AddRecord(Record("Below", -5)), 0);
    EXPECT_EQ(table.AddRecord(Record("Above", 5)), 0);
    EXPECT_EQ(table.Records()[1].playerName, "Below");
}

TEST(TopRecording, ResetAlphaHidesEveryRow) {
    ZoTop table;
    FillTen(table);
    for (ZoTopRecord& r : table.Records())
        r.alpha = 200;
    table.ResetAlpha();
    for (const ZoTopRecord& r : table.Records())
        EXPECT_EQ(r.alpha, 0);
}

// --- the file --------------------------------------------------------------------------------------

TEST_F(TopFileTest, OneRecordIsWrittenByteForByte) {
    table.AddRecord(Record("Ann", 1250));
    ASSERT_TRUE(table.Save()); // creates the missing Data folder too
    EXPECT_EQ(ReadBytes(file), kOneRecordFile);
    EXPECT_EQ(FilesBelow(folder.Path()), std::vector<std::string>{"Data/Classic.Zot"})
        << "stray temporary file";
}

TEST_F(TopFileTest, ZeroScoreLeavesTheFileUnchanged) {
    ZoTopTables& tables = ZoTopTables::Instance();
    SetErrorHandler([](const std::string&) {}); // no pictures in this test
    WriteFile(file, kOneRecordFile);
    tables.Create(ZoTopTables::kClassic, file, "Interface/ScoreClassic");
    WriteFile(file, "hand edited, not parsed again");
    EXPECT_EQ(tables.RecordScore(ZoTopTables::kClassic, "Bob", 0), -1);
    EXPECT_EQ(ReadBytes(file), "hand edited, not parsed again");
    EXPECT_EQ(tables.RecordScore(ZoTopTables::kArcade, "Bob", 10), -1) << "no such table yet";
    tables.Clear();
    SetErrorHandler(nullptr);
}

TEST_F(TopFileTest, TenRecordsRoundTripWithAwkwardNames) {
    const std::vector<std::string> names = {"Ann",          "Bob Smith",   "quote\"d", "back\\slash",
                                            "tab\there",    "line\nbreak", "",         "=}{//",
                                            "0.NumRecords", "Zed"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        ZoTopRecord r = Record(names[i], 100 * static_cast<std::int32_t>(10 - i));
        r.difficulty = "Hard";
        r.level = static_cast<std::int32_t>(i);
        r.episode = -static_cast<std::int32_t>(i);
        r.time = 1000000 + static_cast<std::int32_t>(i);
        table.AddRecord(r);
    }
    ASSERT_TRUE(table.Save());
    ZoTop back;
    back.SetFileName(file);
    ASSERT_TRUE(back.Load());
    ASSERT_EQ(back.Records().size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        const ZoTopRecord& a = table.Records()[i];
        const ZoTopRecord& b = back.Records()[i];
        EXPECT_EQ(b.playerName, a.playerName);
        EXPECT_EQ(b.difficulty, "Hard");
        EXPECT_EQ(b.score, a.score);
        EXPECT_EQ(b.level, a.level);
        EXPECT_EQ(b.episode, a.episode);
        EXPECT_EQ(b.time, a.time);
    }
    // Blocks in byte order: "0" to "9" then the count, every line ending in CR LF.
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.compare(0, 7, "0 = {\r\n"), 0);
    EXPECT_LT(bytes.find("8 = {\r\n"), bytes.find("9 = {\r\n"));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));
    EXPECT_EQ(bytes.substr(bytes.size() - 15), "NumRecords=10\r\n");
}

TEST_F(TopFileTest, ClearWritesOnlyTheCount) {
    FillTen(table);
    ASSERT_TRUE(table.Save());
    ASSERT_TRUE(table.Clear());
    EXPECT_TRUE(table.Records().empty());
    EXPECT_EQ(ReadBytes(file), "NumRecords=0\r\n");
    EXPECT_TRUE(table.Load());
    EXPECT_TRUE(table.Records().empty());
}

TEST_F(TopFileTest, FailedWriteSaysSoAndLeavesNothingBehind) {
    // The table's name taken by a folder: the final rename cannot replace it.
    WriteFile(folder / "Data/Classic.Zot/Keep.Txt", "kept");
    table.AddRecord(Record("Ann", 1250));
    EXPECT_FALSE(table.Save());
    EXPECT_EQ(FilesBelow(folder.Path()), std::vector<std::string>{"Data/Classic.Zot/Keep.Txt"});
    // A path through a plain file cannot even get its folder.
    WriteFile(folder / "Plain.Txt", "plain");
    ZoTop nowhere;
    nowhere.SetFileName(folder / "Plain.Txt/Classic.Zot");
    nowhere.AddRecord(Record("Ann", 1250));
    EXPECT_FALSE(nowhere.Save());
    EXPECT_FALSE(nowhere.Clear());
    EXPECT_EQ(ReadBytes(folder / "Plain.Txt"), "plain");
    ZoTop unnamed;
    EXPECT_FALSE(unnamed.Save());
}

// --- loading ----------------------------------------------------------------------------------------

TEST_F(TopFileTest, HandWrittenFileLoadsInFileOrderWithDefaults) {
    WriteFile(file, "// written by hand, LF line ends and blanks around '='\n"
                    "NumRecords = 3\n"
                    "1 = { PlayerName = \"Low\" Scores = 10 }\n"
                    "0 = {\n"
                    "  PlayerName=\"High\"   // no score: 0\n"
                    "  Level=0x1F\n"
                    "}\n"
                    "2 = {\n"
                    "  Scores=300\n"
                    "}\n");
    ASSERT_TRUE(table.Load());
    const std::vector<std::pair<std::string, std::int32_t>> expected = {{"High", 0}, {"Low", 10}, {"", 300}};
    EXPECT_EQ(Lines(table), expected); // file order, not sorted
    EXPECT_EQ(table.Records()[0].level, 31);
    EXPECT_EQ(table.Records()[0].difficulty, "");
    // The next record sorts the whole table.
    EXPECT_EQ(table.AddRecord(Record("Mid", 50)), 1);
    const std::vector<std::pair<std::string, std::int32_t>> sorted = {
        {"", 300}, {"Mid", 50}, {"Low", 10}, {"High", 0}};
    EXPECT_EQ(Lines(table), sorted);
}

TEST_F(TopFileTest, LoadReplacesRecordsSoASecondLoadDoesNotDoubleThem) {
    WriteFile(file, kOneRecordFile);
    ASSERT_TRUE(table.Load());
    ASSERT_TRUE(table.Load());
    ASSERT_EQ(table.Records().size(), 1u);
    EXPECT_EQ(table.Records()[0].playerName, "Ann");
    EXPECT_EQ(table.Records()[0].score, 1250);
}

TEST_F(TopFileTest, MissingOrUnparsableFileLeavesTheRecordsAlone) {
    table.AddRecord(Record("Kept", 77));
    EXPECT_FALSE(table.Load()); // no file yet
    WriteFile(file, "0 = {\n\tPlayerName \"Eve\"\n}\nNumRecords=1\n");
    EXPECT_FALSE(table.Load()); // a name without "=": a syntax error
    WriteFile(file, "}\n");
    EXPECT_FALSE(table.Load());
    const std::vector<std::pair<std::string, std::int32_t>> expected = {{"Kept", 77}};
    EXPECT_EQ(Lines(table), expected);
    // The first save after a failed load makes the file good again.
    ASSERT_TRUE(table.Save());
    ZoTop back;
    back.SetFileName(file);
    EXPECT_TRUE(back.Load());
    EXPECT_EQ(Lines(back), expected);
}

// --- damaged and hand-edited files ------------------------------------------------------------------

TEST_F(TopFileTest, CountOutsideTheTableIsCutToWhatTheTableHolds) {
    const struct {
        const char* count;
        std::size_t records;
    } cases[] = {{"-1", 0},         {"-2147483648", 0}, {"0", 0},           {"abc", 0},
                 {"", 0},           {"4", 4},           {"2147483647", 10}, {"99999999999999", 10},
                 {"0xFFFFFFFF", 0}, {"0x7FFFFFFF", 10}};
    for (const auto& c : cases) {
        WriteFile(file,
                  std::string("0 = {\n Scores=5\n}\nNumRecords=") + (*c.count ? c.count : "\"\"") + "\n");
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(table.Load()) << c.count;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.count;
        EXPECT_EQ(table.Records().size(), c.records) << c.count;
        // Indices without a block are empty lines.
        for (std::size_t i = 1; i < table.Records().size(); ++i) {
            EXPECT_EQ(table.Records()[i].playerName, "");
            EXPECT_EQ(table.Records()[i].score, 0);
        }
    }
    WriteFile(file, "0 = {\n Scores=5\n}\n");
    ASSERT_TRUE(table.Load());
    EXPECT_TRUE(table.Records().empty()) << "no count, no records";
}

TEST_F(TopFileTest, TwelveRecordsInAFileLoadAsTheFirstTen) {
    ZoTop twelve;
    twelve.SetFileName(file);
    twelve.SetMaximum(12);
    for (int i = 0; i < 12; ++i)
        twelve.AddRecord(Record("R" + std::to_string(i), 1200 - 100 * i));
    ASSERT_TRUE(twelve.Save());
    EXPECT_NE(ReadBytes(file).find("NumRecords=12"), std::string::npos);

    ASSERT_TRUE(table.Load());
    ASSERT_EQ(table.Records().size(), 10u);
    EXPECT_EQ(table.Records()[9].playerName, "R9");
    EXPECT_EQ(table.AddRecord(Record("New", 1250)), 0);
    EXPECT_EQ(table.Records().size(), 10u);
    EXPECT_EQ(table.Records()[9].playerName, "R8");
}

TEST_F(TopFileTest, OddValuesAreReadAsNumbersOrCut) {
    const std::string longName(200000, 'N');
    WriteFile(file, "NumRecords=4\n"
                    "0 = { Scores=12abc Level=-7 Episode=9999999999 Time=-9999999999 }\n"
                    "1 = { Scores=\"300\" PlayerName=Unquoted }\n"
                    "2 = { Scores=0x10 PlayerName=\"" +
                        longName + "\" Difficulty=\"" + longName +
                        "\" }\n"
                        "3 = { Scores=-40 PlayerName=\"\" }\n");
    ASSERT_TRUE(table.Load());
    ASSERT_EQ(table.Records().size(), 4u);
    EXPECT_EQ(table.Records()[0].score, 12);
    EXPECT_EQ(table.Records()[0].level, -7);
    EXPECT_EQ(table.Records()[0].episode, 2147483647);
    EXPECT_EQ(table.Records()[0].time, -2147483647 - 1);
    EXPECT_EQ(table.Records()[1].score, 0) << "a quoted number is not a number";
    EXPECT_EQ(table.Records()[1].playerName, "nquote") << "an unquoted text loses its first and last byte";
    EXPECT_EQ(table.Records()[2].score, 16);
    EXPECT_EQ(table.Records()[2].playerName, std::string(ZoTop::kMaxTextLength, 'N'));
    EXPECT_EQ(table.Records()[2].difficulty.size(), ZoTop::kMaxTextLength);
    EXPECT_EQ(table.Records()[3].score, -40);
}

TEST_F(TopFileTest, NamesThatLookLikePathsNeverLeadOutsideTheTableFile) {
    WriteFile(file, "NumRecords=3\n"
                    "0 = { PlayerName=\"../../../../tmp/escape\" Scores=30 }\n"
                    "1 = { PlayerName=\"/etc/passwd\" Scores=20 }\n"
                    "2 = { PlayerName=\"Data/Arcade.Zot\" Scores=10 }\n");
    WriteFile(folder / "Outside.Txt", "untouched");
    ASSERT_TRUE(table.Load());
    table.AddRecord(Record("..", 25));
    ASSERT_TRUE(table.Save());
    const std::vector<std::string> expected = {"Data/Classic.Zot", "Outside.Txt"};
    EXPECT_EQ(FilesBelow(folder.Path()), expected);
    EXPECT_EQ(ReadBytes(folder / "Outside.Txt"), "untouched");
    ZoTop back;
    back.SetFileName(file);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.Records()[2].playerName, "/etc/passwd");
}

// --- the table set ----------------------------------------------------------------------------------

TEST(TopTables, GameTablesLiveInTheirOwnFilesAndLoadAtOnce) {
    TempFolder folder;
    std::vector<std::string> errors;
    SetErrorHandler([&](const std::string& text) { errors.push_back(text); });
    WriteFile(folder / "Data/Arcade.Zot", kOneRecordFile);
    ZoTopTables& tables = ZoTopTables::Instance();
    tables.CreateGameTables(folder.Path() + "/");
    ASSERT_EQ(tables.Count(), 2u);
    ZoTop* classic = tables.Get(ZoTopTables::kClassic);
    ZoTop* arcade = tables.Get(ZoTopTables::kArcade);
    ASSERT_NE(classic, nullptr);
    ASSERT_NE(arcade, nullptr);
    EXPECT_EQ(tables.Get(2), nullptr);
    EXPECT_EQ(classic->FileName(), folder / "Data/Classic.Zot");
    EXPECT_TRUE(classic->Records().empty());
    ASSERT_EQ(arcade->Records().size(), 1u);
    EXPECT_EQ(arcade->Records()[0].playerName, "Ann");
    EXPECT_NE(classic->Title(), nullptr);
    // No archive is open here, so the title pictures are reported missing and simply draw nothing.
    EXPECT_EQ(errors.size(), 2u);

    // A recorded game writes only its own table.
    EXPECT_EQ(tables.RecordScore(ZoTopTables::kClassic, "Bob", 900), 0);
    EXPECT_EQ(ReadBytes(folder / "Data/Arcade.Zot"), kOneRecordFile);
    EXPECT_NE(ReadBytes(folder / "Data/Classic.Zot").find("PlayerName=\"Bob\""), std::string::npos);
    // Clearing Arcade leaves Classic alone.
    ASSERT_TRUE(arcade->Clear());
    EXPECT_EQ(ReadBytes(folder / "Data/Arcade.Zot"), "NumRecords=0\r\n");
    EXPECT_EQ(classic->Records().size(), 1u);

    tables.Clear();
    EXPECT_EQ(tables.Get(ZoTopTables::kClassic), nullptr);
    SetErrorHandler(nullptr);
}
