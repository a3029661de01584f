#include "ZoCommandLine.h"

#include <utility>

namespace {

ZoCommandLine Refused(std::string error) {
    ZoCommandLine line;
    line.action = ZoCommandLine::Action::Refuse;
    line.error = std::move(error);
    return line;
}

} // namespace

ZoCommandLine ZoCommandLine::Parse(int argc, const char* const* argv) {
    ZoCommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            line.action = Action::Help;
            return line; // help answers whatever else the line says
        }
        if (argument == "--version") {
            line.action = Action::Version;
        } else if (argument == "--windowed") {
            line.windowed = true;
        } else if (argument == "--fullscreen") {
            line.windowed = false;
        } else if (argument == "--data-dir" || argument.rfind("--data-dir=", 0) == 0) {
            const bool joined = argument.size() > 10;
            line.dataDir = joined ? argument.substr(11) : i + 1 < argc ? argv[++i] : "";
            if (line.dataDir.empty())
                return Refused("option '--data-dir' needs a folder");
        } else {
            return Refused(argument.rfind('-', 0) == 0 ? "unknown option '" + argument + "'"
                                                       : "unexpected argument '" + argument + "'");
        }
    }
    return line;
}

std::string ZoCommandLine::Usage(const std::string& programName) {
    return "Usage: " + programName +
           " [OPTION]...\n"
           "Korrik Shooter, a bubble shooter: burst three or more balls of one colour.\n"
           "\n"
           "  --fullscreen    play full screen this time; the saved option stays as it is\n"
           "  --windowed      play in an 800x600 window this time; the saved option stays as it is\n"
           "  --data-dir DIR  read the game data (Resource.Zor, Lang.Zor) from DIR\n"
           "  -h, --help      show this help and leave\n"
           "  --version       show the version and leave\n"
           "\n"
           "Options, players, saved games and high scores live in $XDG_DATA_HOME/korrik-shooter/\n"
           "(by default ~/.local/share/korrik-shooter/); a build tree keeps them in its own Data/.\n";
}
