#include "ZoResourceManager.h"
#include "TempFolder.h"
#include "ZoArchiveWriter.h"
#include "ZoShowError.h"
#include "ZoTextTree.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Collects "Error" boxes instead of printing them.
class ErrorCatcher {
public:
    ErrorCatcher() {
        previous_ = SetErrorHandler([this](const std::string& text) { errors.push_back(text); });
    }
    ~ErrorCatcher() { SetErrorHandler(previous_); }
    std::vector<std::string> errors;

private:
    ZoErrorHandler previous_;
};

void PutInt32(std::string& bytes, std::size_t at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
}

std::string Archive(const ZoArchiveWriter::Entries& entries) {
    std::string bytes;
    EXPECT_TRUE(ZoArchiveWriter::Build(entries, bytes));
    return bytes;
}

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    return bytes;
}

} // namespace

TEST(ZoArchiveWriter, LayoutIsHeaderRecordsThenData) {
    const std::string bytes = Archive({{"Ab", "xyz"}, {"C", ""}});
    // Header: 32 bytes, zero but the count at 8.
    ASSERT_EQ(bytes.size(), 32u + (12 + 2) + (12 + 1) + 3);
    EXPECT_EQ(bytes.substr(0, 8), std::string(8, '\0'));
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(bytes.substr(12, 20), std::string(20, '\0'));
    // First record: length 14, size 3, offset 59, then the scrambled name.
    EXPECT_EQ(bytes.substr(32, 12), std::string("\x0E\0\0\0\x03\0\0\0\x3B\0\0\0", 12));
    const std::string scrambledName{static_cast<char>('A' ^ 0x6B), static_cast<char>('b' ^ 0x6B)};
    EXPECT_EQ(bytes.substr(44, 2), scrambledName);
    // Second record: length 13, size 0, offset 62.
    EXPECT_EQ(bytes.substr(46, 12), std::string("\x0D\0\0\0\0\0\0\0\x3E\0\0\0", 12));
    const std::string scrambledData{'x' ^ 0x6B, 'y' ^ 0x6B, 'z' ^ 0x6B};
    EXPECT_EQ(bytes.substr(59), scrambledData);
}

TEST(ZoResourceManager, FindsNamesCaseInsensitivelyWithTrailingZeroAndLeavesMissesAlone) {
    TempFolder folder;
    ASSERT_TRUE(ZoArchiveWriter::Write(
        folder / "R.Zor", {{"Data/EngineDefs.Txt", "A=1\r\nB=\"two\""}, {"Data/Empty.Txt", ""}}));
    ZoResourceManager archives;
    EXPECT_EQ(archives.LastSize(), -1);
    ASSERT_TRUE(archives.Open(folder / "R.Zor"));
    ZoFileBlock block;
    const std::int32_t size = archives.GetFile("DATA/ENGINEDEFS.TXT", block);
    ASSERT_EQ(size, 12);
    EXPECT_EQ(std::string(block.get(), 13), std::string("A=1\r\nB=\"two\"\0", 13));
    EXPECT_EQ(archives.LastSize(), 12);
    EXPECT_EQ(archives.Find("data/enginedefs.txt")->name, "Data/EngineDefs.Txt");

    ZoTextTree tree;
    ASSERT_EQ(tree.LoadMemory(block.get(), size), 0);
    EXPECT_EQ(tree.GetString("B", ""), "two");
    EXPECT_EQ(archives.GetFileText("data/EngineDefs.txt"), "A=1\r\nB=\"two\"");

    // A missing name leaves the buffer alone.
    block = std::make_unique<char[]>(4);
    char* const before = block.get();
    EXPECT_EQ(archives.GetFile("Data/Nowhere.Txt", block), -1);
    EXPECT_EQ(block.get(), before);
    EXPECT_EQ(archives.LastSize(), 12); // still the size of the last file read
    // Only ASCII letters fold: a Latin-1 capital does not match its small letter.
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "L.Zor", {{"\xC9t\xE9", "1"}}));
    ASSERT_TRUE(archives.Open(folder / "L.Zor"));
    EXPECT_EQ(archives.GetFile("\xC9T\xE9", block), 1);
    EXPECT_EQ(archives.GetFile("\xE9t\xE9", block), -1);
}

TEST(ZoResourceManager, FiveThousandBytesOnlyFirst2048Scrambled) {
    TempFolder folder;
    const std::string original = Pattern(5000);
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "R.Zor", {{"Big.Bin", original}}));
    const std::string raw = ReadBytes(folder / "R.Zor");
    const std::size_t dataStart = 32 + 12 + 7;
    ASSERT_EQ(raw.size(), dataStart + 5000);
    for (std::size_t i = 0; i < 5000; ++i) {
        const char expected = i < 2048 ? static_cast<char>(original[i] ^ 0x6B) : original[i];
        ASSERT_EQ(raw[dataStart + i], expected) << "stored byte " << i;
    }
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(folder / "R.Zor"));
    ZoFileBlock block;
    ASSERT_EQ(archives.GetFile("big.bin", block), 5000);
    EXPECT_EQ(std::string(block.get(), 5000), original);
    EXPECT_EQ(block[5000], '\0');
}

TEST(ZoResourceManager, FirstArchiveWinsAndDuplicatesInOneArchiveTakeTheLast) {
    TempFolder folder;
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "Resource.Zor",
                                       {{"Data/Fonts.Txt", "first"}, {"x", "1"}, {"X", "2"}}));
    ASSERT_TRUE(
        ZoArchiveWriter::Write(folder / "Lang.Zor", {{"data/fonts.txt", "second"}, {"Only", "lang"}}));
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(folder / "Resource.Zor"));
    ASSERT_TRUE(archives.Open(folder / "Lang.Zor"));
    EXPECT_EQ(archives.GetFileText("Data/Fonts.Txt"), "first");
    EXPECT_EQ(archives.GetFileText("only"), "lang");
    EXPECT_EQ(archives.GetFileText("x"), "2");
    EXPECT_EQ(archives.Archives().size(), 2u);
}

TEST(ZoResourceManager, EmptyArchiveAndVanishedArchive) {
    TempFolder folder;
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "E.Zor", {}));
    std::string zeroCount = ReadBytes(folder / "E.Zor");
    ASSERT_EQ(zeroCount.size(), 32u);
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(folder / "E.Zor"));
    EXPECT_TRUE(archives.Archives()[0].items.empty());
    // A negative count is an empty archive too.
    PutInt32(zeroCount, 8, -5);
    WriteBytes(folder / "N.Zor", zeroCount);
    EXPECT_TRUE(archives.Open(folder / "N.Zor"));

    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "G.Zor", {{"gone", "abc"}}));
    ASSERT_TRUE(archives.Open(folder / "G.Zor"));
    ASSERT_EQ(std::remove((folder / "G.Zor").c_str()), 0);
    ZoFileBlock block;
    EXPECT_EQ(archives.GetFile("gone", block), 0); // found, but its archive no longer opens
    EXPECT_FALSE(block);
}

TEST(ZoResourceManager, DamagedTableOfContentsRejectsTheArchive) {
    TempFolder folder;
    const std::string good = Archive({{"Name", "data!"}});
    struct Damage {
        const char* what;
        std::size_t at;
        std::int32_t value;
    } const damages[] = {
        {"record length below 12", 32, 11},
        {"negative size", 36, -1},
        {"negative offset", 40, -4},
        {"entry past the end", 36, 6},
        {"offset past the end", 40, 1000},
        {"name past the end", 32, 12 + 500},
        {"count the file cannot hold", 8, 1000000},
        {"huge count", 8, INT32_MAX},
    };
    for (const Damage& damage : damages) {
        std::string bytes = good;
        PutInt32(bytes, damage.at, damage.value);
        const std::string path = folder / "Bad.Zor";
        WriteBytes(path, bytes);
        ErrorCatcher catcher;
        ZoResourceManager archives;
        EXPECT_FALSE(archives.Open(path)) << damage.what;
        EXPECT_TRUE(archives.Archives().empty()) << damage.what;
        EXPECT_EQ(catcher.errors, std::vector<std::string>{path}) << damage.what;
    }
    // Shorter than a header, and no file at all.
    WriteBytes(folder / "Short.Zor", good.substr(0, 20));
    ErrorCatcher catcher;
    ZoResourceManager archives;
    EXPECT_FALSE(archives.Open(folder / "Short.Zor"));
    EXPECT_FALSE(archives.Open(folder / "Absent.Zor"));
    EXPECT_EQ(catcher.errors.size(), 2u);
    EXPECT_EQ(catcher.errors[1], folder / "Absent.Zor");
}

TEST(ZoResourceManager, LongNamesUnscrambleOnlyTheirFirst2048Bytes) {
    TempFolder folder;
    std::string name(3000, 'n');
    name[2999] = 'Z';
    ASSERT_TRUE(ZoArchiveWriter::Write(folder / "R.Zor", {{name, "v"}}));
    const std::string raw = ReadBytes(folder / "R.Zor");
    EXPECT_EQ(raw[44], static_cast<char>('n' ^ 0x6B));
    EXPECT_EQ(raw[44 + 2048], 'n');
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(folder / "R.Zor"));
    EXPECT_EQ(archives.GetFileText(name), "v");
}

TEST(ZoArchiveWriter, CollectFolderSortsAndPrefixes) {
    TempFolder folder;
    std::filesystem::create_directories(folder / "src/Sub");
    WriteBytes(folder / "src/b.txt", "B");
    WriteBytes(folder / "src/A.txt", "A");
    WriteBytes(folder / "src/Sub/c.Txt", "C");
    ZoArchiveWriter::Entries entries;
    std::string error;
    ASSERT_TRUE(ZoArchiveWriter::CollectFolder(folder / "src", "Data/", entries, error));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (std::pair<std::string, std::string>{"Data/A.txt", "A"}));
    EXPECT_EQ(entries[1].first, "Data/Sub/c.Txt");
    EXPECT_EQ(entries[2].first, "Data/b.txt");
    EXPECT_FALSE(ZoArchiveWriter::CollectFolder(folder / "nothing", "", entries, error));
    EXPECT_NE(error.find("nothing"), std::string::npos);
}
