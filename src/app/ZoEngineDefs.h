// The engine definitions: one process-wide text tree of dialog layout values, read once at start-up.
#pragma once

#include "ZoTextTree.h"

#include <string>

class ZoEngineDefs {
public:
    static constexpr const char* kFileName = "Data/EngineDefs.Txt";

    // The tree the dialogs read their layout values from; empty until loaded.
    static ZoTextTree& Tree();
    // Reads the file from the open archives into the tree. False when it is missing or does not parse;
    // what parsed before an error stays, and missing keys give the getters' defaults.
    static bool Load();
};
