// The few things the game's command line can ask for: help, version, the window mode of one run and
// another folder of game data.
#pragma once

#include <optional>
#include <string>

struct ZoCommandLine {
    enum class Action { Play, Help, Version, Refuse };

    // Later options win over earlier ones; anything unknown refuses the whole line.
    static ZoCommandLine Parse(int argc, const char* const* argv);
    // The text of --help for a program called programName.
    static std::string Usage(const std::string& programName);

    Action action = Action::Play;
    std::optional<bool> windowed; // --windowed or --fullscreen, for this run only
    std::string dataDir;          // --data-dir
    std::string error;            // one line without the program's name, set with Refuse
};
