// The generator is deterministic: two runs give the same bytes, and the same as the packed build.
#include "GameDataFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> ReadTree(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[fs::relative(entry.path(), root).generic_string()] = bytes.str();
        }
    }
    return files;
}

TEST(Determinism, TwoGeneratorRunsGiveByteIdenticalFiles) {
    const fs::path work = fs::temp_directory_path() / ("korrik-datagen-" + std::to_string(::getpid()));
    fs::remove_all(work);
    const std::string datagen = BinaryDir() + "/datagen";
    const std::string assets = SourceDir() + "/assets";
    for (const char* run : {"a", "b"}) {
        const std::string command = "'" + datagen + "' '" + assets + "' '" + (work / run).string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    const auto a = ReadTree(work / "a"), b = ReadTree(work / "b");
    ASSERT_GT(a.size(), 80u);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& file : a) {
        ASSERT_TRUE(b.count(file.first)) << file.first;
        EXPECT_TRUE(file.second == b.at(file.first)) << file.first << " differs between runs";
    }
    // Packing repeats too: the same files give the same archive.
    const std::string zortool = BinaryDir() + "/zortool";
    for (const char* run : {"a", "b"}) {
        const std::string command = "'" + zortool + "' pack '" +
                                    (work / (std::string(run) + ".Zor")).string() + "' '" +
                                    (work / run / "resource").string() + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    const auto archives = ReadTree(work);
    ASSERT_TRUE(archives.count("a.Zor") && archives.count("b.Zor"));
    EXPECT_TRUE(archives.at("a.Zor") == archives.at("b.Zor"))
        << "packing the same files gave different archives";
    // The packed build was made from the same bytes.
    const auto staged = ReadTree(BinaryDir() + "/gamedata");
    for (const auto& file : a) {
        ASSERT_TRUE(staged.count(file.first)) << file.first;
        EXPECT_TRUE(file.second == staged.at(file.first)) << file.first << " differs from the packed data";
    }
    fs::remove_all(work);
}

} // namespace
