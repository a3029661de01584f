// The texts of the confirmation dialogs in the current language ("Data/Lang.Txt", "Data/Fonts.Txt").
#pragma once

#include "ZoTextTree.h"

#include <memory>
#include <string>

class ZoResourceManager;

class ZoLanguage {
public:
    // Reads from the game's archive set on first use.
    static ZoLanguage& Instance();

    explicit ZoLanguage(ZoResourceManager& archives);

    // The quoted text under language + "." + key, unquoted and unescaped; empty when missing.
    std::string GetText(const std::string& key);
    const std::string& Language() const { return language; }

private:
    std::string language;
    std::unique_ptr<ZoTextTree> strings;
};
