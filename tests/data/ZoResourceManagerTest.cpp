// Resource archives: the bytes the writer lays down, how the game finds files in them, damaged archives,
// and the language texts read through them.
#include "ZoResourceManager.h"
#include "TestFiles.h"
#include "ZoArchiveWriter.h"
#include "ZoLanguage.h"
#include "ZoShowError.h"

#include <gtest/gtest.h>

namespace {

// Collects "Error" boxes instead of showing them.
struct ErrorCatcher {
    ErrorCatcher() { previous = SetErrorHandler([this](const std::string& text) { errors.push_back(text); }); }
    ~ErrorCatcher() { SetErrorHandler(previous); }
    std::vector<std::string> errors;
    ZoErrorHandler previous;
};

std::string Scrambled(const std::string& text) {
    std::string bytes = text;
    for (char& c : bytes)
        c = static_cast<char>(c ^ 0x6B);
    return bytes;
}

TEST(ZoArchive, LayoutIsHeaderRecordsThenDataWithOnlyTheFirst2048BytesScrambled) {
    std::string bytes;
    const std::string big(3000, 'n');
    ASSERT_TRUE(ZoArchiveWriter::Build({{"Ab", "xyz"}, {"C", ""}, {big, big}}, bytes));
    const std::uint32_t data = 32 + 14 + 13 + 12 + 3000;
    ASSERT_EQ(bytes.size(), data + 3 + 3000);
    EXPECT_EQ(bytes.substr(0, 32), std::string(8, '\0') + "\x03" + std::string(23, '\0'));
    // Each record: its length, the file's size and offset, then the scrambled name.
    const std::pair<std::size_t, std::uint32_t> fields[] = {{32, 14}, {36, 3},  {40, data},     {46, 13},
                                                           {50, 0},  {54, data + 3}, {59, 3012}, {67, data + 3}};
    for (const auto& [at, value] : fields)
        EXPECT_EQ(LittleEndian(bytes, at, 4), value) << at;
    EXPECT_EQ(bytes.substr(44, 2), Scrambled("Ab"));
    EXPECT_EQ(bytes.substr(data, 3), Scrambled("xyz"));
    EXPECT_EQ(bytes.substr(71 + 2047, 2), Scrambled("n") + "n"); // the long name
    EXPECT_EQ(bytes.substr(data + 3 + 2047, 2), Scrambled("n") + "n");
}

TEST(ZoArchive, NamesMatchWithoutAsciiCaseTheFirstArchiveWinsAndMissesLeaveTheBufferAlone) {
    TempFolder folder;
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "R.Zor",
                                       {{"Data/Fonts.Txt", "first"}, {"x", "1"}, {"X", "2"}, {"\xC9t\xE9", "e"}}));
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "L.Zor", {{"data/fonts.txt", "second"}, {"Only", "A=1"}}));
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(folder / "R.Zor"));
    ASSERT_TRUE(archives.Open(folder / "L.Zor"));
    ZoFileBlock block;
    ASSERT_EQ(archives.GetFile("ONLY", block), 3);
    EXPECT_EQ(std::string(block.get(), 4), std::string("A=1\0", 4));
    EXPECT_EQ(archives.GetFileText("DATA/fonts.TXT"), "first");
    EXPECT_EQ(archives.GetFileText("x"), "2"); // the later of two equal names in one archive
    EXPECT_EQ(archives.GetFileText("\xC9T\xE9"), "e");
    EXPECT_EQ(archives.GetFileText("\xE9t\xE9"), ""); // only ASCII letters fold
    char* const before = block.get();
    EXPECT_EQ(archives.GetFile("Data/Nowhere.Txt", block), -1);
    EXPECT_EQ(block.get(), before);
    // An archive that vanished after opening: found, but unreadable.
    ASSERT_EQ(std::remove((folder / "L.Zor").c_str()), 0);
    EXPECT_EQ(archives.GetFile("only", block), 0);
}

TEST(ZoArchive, DamagedTablesOfContentsAreRefusedWithTheArchiveNamed) {
    TempFolder folder;
    std::string good;
    ASSERT_TRUE(ZoArchiveWriter::Build({{"Name", "data!"}}, good));
    const struct {
        std::size_t at;
        std::uint32_t value;
    } damages[] = {{32, 11}, {36, 0xFFFFFFFF}, {40, 0xFFFFFFFC}, {36, 6}, {40, 1000}, {32, 512}, {8, 1000000},
                   {8, 0x7FFFFFFF}};
    const std::string path = folder / "Bad.Zor";
    for (const auto& damage : damages) {
        std::string bytes = good;
        PutLittleEndian(bytes, damage.at, damage.value, 4);
        WriteBytes(path, bytes);
        ErrorCatcher catcher;
        ZoResourceManager archives;
        EXPECT_FALSE(archives.Open(path)) << damage.at << " " << damage.value;
        EXPECT_TRUE(archives.Archives().empty());
        EXPECT_EQ(catcher.errors, std::vector<std::string>{path});
    }
    WriteBytes(path, good.substr(0, 20));
    ErrorCatcher catcher;
    ZoResourceManager archives;
    EXPECT_FALSE(archives.Open(path));
    EXPECT_FALSE(archives.Open(folder / "Absent.Zor"));
    EXPECT_EQ(catcher.errors.size(), 2u);
    // No entries at all, or a negative count, is an empty archive.
    std::string empty;
    ASSERT_TRUE(ZoArchiveWriter::Build({}, empty));
    PutLittleEndian(empty, 8, 0xFFFFFFFB, 4);
    WriteBytes(path, empty);
    EXPECT_TRUE(archives.Open(path));
}

TEST(ZoLanguage, TextsOfTheLanguageTheFirstArchiveNames) {
    TempFolder folder;
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "R.Zor", {{"Data/Fonts.Txt", "Language=\"English\"\r\n"}}));
    ASSERT_TRUE(ZoArchiveWriter::Write(
        folder / "L.Zor", {{"Data/Lang.Txt", "English = {\r\n\tConfirmClearTable=\"Clear?\\nSure?\"\r\n}\r\n"
                                             "German = {\r\n\tConfirmDeletePlayer=\"L\xF6schen?\"\r\n}\r\n"},
                           {"Data/Fonts.Txt", "Language=\"German\""}}));
    ZoResourceManager archives;
    ZoLanguage none(archives);
    EXPECT_EQ(none.GetText("ConfirmClearTable"), "");
    ASSERT_TRUE(archives.Open(folder / "R.Zor"));
    ASSERT_TRUE(archives.Open(folder / "L.Zor"));
    ZoLanguage language(archives);
    EXPECT_EQ(language.GetText("ConfirmClearTable"), "Clear?\nSure?");
    EXPECT_EQ(language.GetText("ConfirmDeletePlayer"), "");
}

} // namespace
