// The script language of korrik-sim: one command per line, parsed and checked before anything runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SimCommand {
    enum class Kind { Dt, Colour, Next, Aim, Fire, Swap, Wait, Print, Press, State, Menu, Continue, Quit, New };
    Kind kind = Kind::Print;
    std::int32_t first = 0;
    std::int32_t second = 0;
};

struct SimScript {
    // Set-up values, only from lines before the first other command.
    std::int32_t difficulty = 0;
    std::uint32_t seed = 1;
    std::vector<SimCommand> commands;

    // Parses the whole text; false with a one-line message naming the line when any line is malformed.
    bool Parse(const std::string& text, std::string& error);
};
