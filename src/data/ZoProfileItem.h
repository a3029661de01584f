// One player profile: a name and whether its save slot holds a game.
#pragma once

#include <string>

struct ZoProfileItem {
    std::string name;
    bool hasSavedGame = false;
};
