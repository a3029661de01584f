// Board rules as korrik-sim scenarios: every script in scenarios/ runs against the saved game named on its
// first line ("# board: NAME.Zos"), and what the tool prints must equal NAME.out beside the script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kFolder = KORRIK_SCENARIOS;

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Scripts() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
        if (entry.path().extension() == ".sim") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Standard output of the command, and its exit status.
std::string Capture(const std::string& command, int& status) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        status = pclose(pipe);
    }
    return output;
}

class Scenario : public ::testing::TestWithParam<std::string> {};

TEST_P(Scenario, PrintsWhatItExpects) {
    const std::filesystem::path script = kFolder / (GetParam() + ".sim");
    std::istringstream lines(ReadText(script));
    std::string first;
    std::getline(lines, first);
    const std::string prefix = "# board: ";
    ASSERT_EQ(first.rfind(prefix, 0), 0u) << script << " names no board on its first line";
    const std::filesystem::path board = kFolder / first.substr(prefix.size());
    int status = -1;
    const std::string output =
        Capture(std::string(KORRIK_SIM) + " '" + board.string() + "' '" + script.string() + "'", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, ReadText(kFolder / (GetParam() + ".out")));
}

INSTANTIATE_TEST_SUITE_P(Game, Scenario, ::testing::ValuesIn(Scripts()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The tool refuses what it cannot run (a malformed line, a file it cannot read or load) with one line on
// standard error and status 2.
TEST(SimulatorTest, RefusesWithOneLineAndStatusTwo) {
    const std::string bad = (std::filesystem::temp_directory_path() / "korrik-sim-bad.sim").string();
    const std::string board = (kFolder / "match.Zos").string();
    for (const std::string& run : {board + " " + bad + "#fire 3", board + " " + bad + "#colour 6",
                                   board + " " + bad + "#fire\nseed 4", board + " " + bad + "#jump",
                                   bad + " " + bad + "#print", "/nonexistent.Zos " + bad + "#print"}) {
        std::ofstream(bad) << run.substr(run.find('#') + 1) << "\n";
        int status = -1;
        const std::string output = Capture(KORRIK_SIM " " + run.substr(0, run.find('#')) + " 2>&1", status);
        EXPECT_EQ(WEXITSTATUS(status), 2) << run;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    }
    std::filesystem::remove(bad);
}

} // namespace
