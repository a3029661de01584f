#include "SimScript.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace {

struct CommandShape {
    const char* name;
    SimCommand::Kind kind;
    int arguments;
};

// The commands after set-up and their argument counts; difficulty and seed are handled apart.
constexpr CommandShape kCommands[] = {
    {"dt", SimCommand::Kind::Dt, 1},         {"colour", SimCommand::Kind::Colour, 1},
    {"next", SimCommand::Kind::Next, 1},     {"aim", SimCommand::Kind::Aim, 2},
    {"fire", SimCommand::Kind::Fire, 0},     {"swap", SimCommand::Kind::Swap, 0},
    {"wait", SimCommand::Kind::Wait, 1},     {"print", SimCommand::Kind::Print, 0},
    {"press", SimCommand::Kind::Press, 0},   {"state", SimCommand::Kind::State, 0},
    {"menu", SimCommand::Kind::Menu, 0},     {"continue", SimCommand::Kind::Continue, 0},
    {"quit", SimCommand::Kind::Quit, 0},     {"new", SimCommand::Kind::New, 0},
};

bool ToInteger(const std::string& word, long long low, long long high, long long& value) {
    if (word.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(word.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

// The allowed range of each argument.
void RangeOf(SimCommand::Kind kind, int argument, long long& low, long long& high) {
    switch (kind) {
    case SimCommand::Kind::Dt:
        low = 1;
        high = 1000;
        return;
    case SimCommand::Kind::Colour:
    case SimCommand::Kind::Next:
        low = 0;
        high = 5;
        return;
    case SimCommand::Kind::Aim: // a point of the 800x600 frame
        low = 0;
        high = argument == 0 ? 799 : 599;
        return;
    default: // wait
        low = 0;
        high = 3600000;
        return;
    }
}

} // namespace

bool SimScript::Parse(const std::string& text, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    bool setUp = true;
    while (std::getline(lines, line)) {
        ++number;
        std::istringstream words(line);
        std::vector<std::string> word;
        for (std::string w; words >> w;) {
            word.push_back(w);
        }
        if (word.empty() || word[0][0] == '#') {
            continue;
        }
        const auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why + ": " + line;
            return false;
        };
        long long value = 0;
        if (word[0] == "difficulty" || word[0] == "seed") {
            if (!setUp) {
                return fail(word[0] + " only before the first other command");
            }
            const long long low = word[0] == "seed" ? 0 : std::numeric_limits<std::int32_t>::min();
            const long long high = word[0] == "seed" ? std::numeric_limits<std::uint32_t>::max()
                                                      : std::numeric_limits<std::int32_t>::max();
            if (word.size() != 2 || !ToInteger(word[1], low, high, value)) {
                return fail("expected one integer");
            }
            if (word[0] == "seed") {
                seed = static_cast<std::uint32_t>(value);
            } else {
                difficulty = static_cast<std::int32_t>(value);
            }
            continue;
        }
        const CommandShape* shape = nullptr;
        for (const CommandShape& s : kCommands) {
            shape = word[0] == s.name ? &s : shape;
        }
        if (shape == nullptr) {
            return fail("unknown command");
        }
        if (static_cast<int>(word.size()) != shape->arguments + 1) {
            return fail("expected " + std::to_string(shape->arguments) + " argument(s)");
        }
        SimCommand command;
        command.kind = shape->kind;
        for (int i = 0; i < shape->arguments; ++i) {
            long long low = 0;
            long long high = 0;
            RangeOf(shape->kind, i, low, high);
            if (!ToInteger(word[static_cast<std::size_t>(i) + 1], low, high, value)) {
                return fail("argument out of range " + std::to_string(low) + ".." + std::to_string(high));
            }
            (i == 0 ? command.first : command.second) = static_cast<std::int32_t>(value);
        }
        commands.push_back(command);
        setUp = false;
    }
    return true;
}
