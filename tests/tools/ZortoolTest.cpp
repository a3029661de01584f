// zortool, the archive packer the data build runs: exact round trips, and refusals in one line.
#include "TestFiles.h"
#include "ZoArchiveTool.h"
#include "ZoArchiveWriter.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string Drain(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

Outcome Zortool(const std::vector<std::string>& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = ZoArchiveTool(out, err).Run(arguments);
    return {status, Drain(out), Drain(err)};
}

// A refusal is one line on the error stream and status 1.
void ExpectRefused(const std::vector<std::string>& arguments) {
    const Outcome outcome = Zortool(arguments);
    EXPECT_EQ(outcome.status, 1) << arguments.size();
    EXPECT_EQ(outcome.err.rfind("zortool: ", 0), 0u) << outcome.err;
    EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
}

TEST(Zortool, PackListCatAndUnpackGiveBackEveryByte) {
    TempFolder f;
    std::filesystem::create_directories(f / "in/Textures/Interface");
    std::string binary(5000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 131 + (i >> 3));
    const std::pair<std::string, std::string> files[] = {
        {"Textures/Interface/BtnOk.Tga", binary}, {"EngineDefs.Txt", "A = {\r\n\tB=1\r\n}\r\n"}, {"Empty.Txt", ""}};
    for (const auto& [name, bytes] : files)
        WriteBytes(f / ("in/" + name), bytes);
    ASSERT_EQ(Zortool({"pack", f / "R.Zor", f / "in", "Data/"}).status, 0);
    ASSERT_EQ(Zortool({"pack", f / "Again.Zor", f / "in", "Data/"}).status, 0);
    EXPECT_EQ(ReadBytes(f / "R.Zor"), ReadBytes(f / "Again.Zor")); // the same folder, the same archive
    const std::size_t data = 32 + 3 * 12 + 14 + 19 + 33;
    EXPECT_EQ(Zortool({"list", f / "R.Zor"}).out, "0 " + std::to_string(data) + " Data/Empty.Txt\n16 " +
                                                  std::to_string(data) + " Data/EngineDefs.Txt\n5000 " +
                                                  std::to_string(data + 16) + " Data/Textures/Interface/BtnOk.Tga\n");
    EXPECT_EQ(Zortool({"cat", f / "R.Zor", "DATA/TEXTURES/interface/btnok.tga"}).out, binary);
    ASSERT_EQ(Zortool({"unpack", f / "R.Zor", f / "out"}).status, 0);
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(ReadBytes(f / ("out/Data/" + name)), bytes) << name;
    WriteBytes(f / "t.txt", "b = {\r\n\tc=\"x y\"\r\n}\r\na=0x10\r\n");
    EXPECT_EQ(Zortool({"tree", f / "t.txt"}).out, "a=0x10\nb.c=\"x y\"\nstatus=0\n");
}

TEST(Zortool, BadInputAndNamesLeavingTheFolderAreRefusedWritingNothing) {
    TempFolder f;
    WriteBytes(f / "garbage.Zor", std::string(40, '\x7F'));
    WriteBytes(f / "bad.txt", "a=1\nb 2\n");
    std::filesystem::create_directories(f / "a-folder");
    ASSERT_TRUE(ZoArchiveWriter::Write(f / "ok.Zor", {{"Data/A", "a"}}));
    const std::vector<std::vector<std::string>> refused = {
        {}, {"frobnicate"}, {"list"}, {"list", f / "absent.Zor"}, {"pack", f / "x.Zor", f / "nowhere"},
        {"list", f / "garbage.Zor"}, {"cat", f / "ok.Zor", "Data/B"}, {"tree", f / "bad.txt"},
        {"pack", f / "a-folder", f / "a-folder"}};
    for (const auto& arguments : refused)
        ExpectRefused(arguments);
    EXPECT_TRUE(std::filesystem::is_directory(f / "a-folder"));
    for (const std::string name : {"../escape.txt", "/tmp/abs.txt", "a/../../b", "ok/./x", "dir/", "a\\b"}) {
        ASSERT_TRUE(ZoArchiveWriter::Write(f / "evil.Zor", {{"fine.txt", "1"}, {name, "bad"}}));
        ExpectRefused({"unpack", f / "evil.Zor", f / "out"});
        EXPECT_FALSE(std::filesystem::exists(f / "out")) << name; // nothing written at all
    }
    EXPECT_FALSE(std::filesystem::exists(f / "escape.txt"));
}

} // namespace
