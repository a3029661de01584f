// The process-wide high-score tables by number (0 Classic, 1 Arcade), created and cleared by the application.
#pragma once

#include "ZoTop.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class ZoTopTables {
public:
    static constexpr std::int32_t kClassic = 0;
    static constexpr std::int32_t kArcade = 1;

    static ZoTopTables& Instance();

    // The start-up sequence of one table: construct, file name, title, register under number, load.
    // Replaces (and deletes) a table already registered under that number.
    ZoTop& Create(std::int32_t number, const std::string& fileName, const std::string& titlePicture);
    // Both game tables: 0 "Classic.Zot" and 1 "Arcade.Zot" in the player's folder (under folder when one
    // is given and the player's folder is relative), with their title pictures.
    void CreateGameTables(const std::string& folder = std::string());
    // The table of that number (the game's GameID), or null.
    ZoTop* Get(std::int32_t number);
    // A finished game of table number: enters the record and saves the table. The rank it got, or -1
    // when it did not get in; a zero score or an unknown table writes nothing.
    std::int32_t RecordScore(std::int32_t number, const std::string& playerName, std::int32_t score);
    // Deletes every table (the application does this first when it is destroyed).
    void Clear() { tables_.clear(); }
    std::size_t Count() const { return tables_.size(); }

private:
    ZoTopTables() = default;
    std::map<std::int32_t, std::unique_ptr<ZoTop>> tables_;
};
