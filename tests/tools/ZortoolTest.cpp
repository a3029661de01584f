#include "../data/TempFolder.h"
#include "ZoArchiveTool.h"
#include "ZoArchiveWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace {

struct Outcome {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the real built zortool with arguments, capturing both streams.
class Zortool : public ::testing::Test {
protected:
    Outcome Run(const std::vector<std::string>& arguments) {
        std::string command = Quote(ZORTOOL_PATH);
        for (const std::string& argument : arguments)
            command += " " + Quote(argument);
        command += " >" + Quote(folder_ / "stdout.bin") + " 2>" + Quote(folder_ / "stderr.txt");
        const int status = std::system(command.c_str());
        Outcome outcome;
        outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        outcome.out = ReadBytes(folder_ / "stdout.bin");
        outcome.err = ReadBytes(folder_ / "stderr.txt");
        return outcome;
    }
    std::string Path(const std::string& name) const { return folder_ / name; }

    // A failure must be one line on stderr, exit status 1.
    void ExpectCleanFailure(const Outcome& outcome) {
        EXPECT_EQ(outcome.exitStatus, 1);
        ASSERT_FALSE(outcome.err.empty());
        EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << outcome.err;
        EXPECT_EQ(outcome.err.compare(0, 9, "zortool: "), 0) << outcome.err;
    }

    TempFolder folder_;
};

std::string Binary(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed * 17 + (i >> 3)) & 0xFF);
    return bytes;
}

} // namespace

TEST_F(Zortool, PackUnpackRoundTripIsByteForByte) {
    std::filesystem::create_directories(Path("in/Textures/Interface"));
    std::filesystem::create_directories(Path("in/Sounds"));
    const std::vector<std::pair<std::string, std::string>> files = {
        {"EngineDefs.Txt", "A = {\r\n\tB=1\r\n}\r\n"},
        {"Textures/Interface/BtnOk.Tga", Binary(5000, 1)},
        {"Sounds/FireBall.Wav", Binary(2048, 2)},
        {"Empty.Txt", ""},
    };
    for (const auto& [name, bytes] : files)
        WriteBytes(Path("in/" + name), bytes);

    Outcome pack = Run({"pack", Path("Resource.Zor"), Path("in"), "Data/"});
    ASSERT_EQ(pack.exitStatus, 0) << pack.err;
    EXPECT_TRUE(pack.err.empty());
    // Deterministic: packing again gives the same bytes.
    ASSERT_EQ(Run({"pack", Path("Again.Zor"), Path("in"), "Data/"}).exitStatus, 0);
    EXPECT_EQ(ReadBytes(Path("Resource.Zor")), ReadBytes(Path("Again.Zor")));

    Outcome unpack = Run({"unpack", Path("Resource.Zor"), Path("out")});
    ASSERT_EQ(unpack.exitStatus, 0) << unpack.err;
    for (const auto& [name, bytes] : files)
        EXPECT_EQ(ReadBytes(Path("out/Data/" + name)), bytes) << name;

    Outcome list = Run({"list", Path("Resource.Zor")});
    ASSERT_EQ(list.exitStatus, 0);
    const std::size_t dataStart = 32 + 4 * 12 + std::string("Data/EngineDefs.Txt").size() +
                                  std::string("Data/Textures/Interface/BtnOk.Tga").size() +
                                  std::string("Data/Sounds/FireBall.Wav").size() +
                                  std::string("Data/Empty.Txt").size();
    // Stored in sorted name order; listed by the game's lower-case keys.
    const std::size_t defs = files[0].second.size();
    const std::string expected =
        "0 " + std::to_string(dataStart) + " Data/Empty.Txt\n" + std::to_string(defs) + " " +
        std::to_string(dataStart) + " Data/EngineDefs.Txt\n" + "2048 " + std::to_string(dataStart + defs) +
        " Data/Sounds/FireBall.Wav\n" + "5000 " + std::to_string(dataStart + defs + 2048) +
        " Data/Textures/Interface/BtnOk.Tga\n";
    EXPECT_EQ(list.out, expected);

    Outcome cat = Run({"cat", Path("Resource.Zor"), "DATA/TEXTURES/interface/btnok.tga"});
    ASSERT_EQ(cat.exitStatus, 0);
    EXPECT_EQ(cat.out, files[1].second);
}

TEST_F(Zortool, TreePrintsKeysInOrderThenStatus) {
    WriteBytes(Path("t.txt"), "b = {\r\n\tc=\"x y\"\r\n}\r\na=0x10\r\n");
    Outcome tree = Run({"tree", Path("t.txt")});
    EXPECT_EQ(tree.exitStatus, 0);
    EXPECT_EQ(tree.out, "a=0x10\nb.c=\"x y\"\nstatus=0\n");

    WriteBytes(Path("bad.txt"), "a=1\nb 2\n");
    Outcome bad = Run({"tree", Path("bad.txt")});
    EXPECT_EQ(bad.out, "a=1\nstatus=1\n");
    ExpectCleanFailure(bad);
    Outcome missing = Run({"tree", Path("none.txt")});
    EXPECT_EQ(missing.out, "status=1\n");
    ExpectCleanFailure(missing);
}

TEST_F(Zortool, BadInputFailsWithOneLine) {
    std::filesystem::create_directories(Path("in"));
    WriteBytes(Path("in/x"), "x");
    ExpectCleanFailure(Run({}));
    ExpectCleanFailure(Run({"frobnicate"}));
    ExpectCleanFailure(Run({"list"}));
    ExpectCleanFailure(Run({"list", Path("absent.Zor")}));
    ExpectCleanFailure(Run({"pack", Path("x.Zor"), Path("no-such-folder")}));
    WriteBytes(Path("garbage.Zor"), std::string(40, '\x7F'));
    ExpectCleanFailure(Run({"list", Path("garbage.Zor")}));
    ExpectCleanFailure(Run({"unpack", Path("garbage.Zor"), Path("o")}));
    ASSERT_TRUE(ZoArchiveWriter::Write(Path("ok.Zor"), {{"Data/A", "a"}}));
    ExpectCleanFailure(Run({"cat", Path("ok.Zor"), "Data/B"}));
    std::filesystem::create_directories(Path("a-folder"));
    ExpectCleanFailure(Run({"pack", Path("a-folder"), Path("in")})); // cannot replace a folder
    EXPECT_TRUE(std::filesystem::is_directory(Path("a-folder")));
}

TEST_F(Zortool, UnpackRefusesNamesThatLeaveTheFolder) {
    for (const std::string name : {"../escape.txt", "/tmp/abs.txt", "a/../../b", "ok/./x", "dir/", "a\\b"}) {
        ASSERT_TRUE(ZoArchiveWriter::Write(Path("evil.Zor"), {{"fine.txt", "1"}, {name, "bad"}}));
        ExpectCleanFailure(Run({"unpack", Path("evil.Zor"), Path("out")}));
        EXPECT_FALSE(std::filesystem::exists(Path("escape.txt"))) << name;
        EXPECT_FALSE(std::filesystem::exists(Path("out/fine.txt"))) << name; // nothing written at all
    }
    EXPECT_TRUE(ZoArchiveTool::IsSafeRelativePath("Data//Resource.Zor"));
    EXPECT_TRUE(ZoArchiveTool::IsSafeRelativePath("Data/..x/y"));
}
