// The saved game: every scenario board loads and saves back byte for byte, a damaged file is refused with one
// error box and greys Continue out, and out-of-range counters are brought into range.
#include "GameScreenFixture.h"
#include "ZoProfileManager.h"

#include <filesystem>

namespace {

// A saved game's text with one key's value replaced (or the key removed when value is empty).
std::string WithValue(const std::string& file, const std::string& key, const std::string& value) {
    const std::size_t at = file.find("\n" + key + "=");
    if (at == std::string::npos) {
        return file;
    }
    const std::size_t start = at + key.size() + 2;
    const std::size_t end = file.find("\r\n", at + 1);
    return value.empty() ? file.substr(0, at + 1) + file.substr(end + 2)
                         : file.substr(0, start) + value + file.substr(end);
}

} // namespace

TEST_F(GameScreenTest, EveryScenarioBoardLoadsAndSavesBackByteForByte) {
    int boards = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Scenarios())) {
        if (entry.path().extension() != ".Zos") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        const std::string bytes = ReadBytes(entry.path().string());
        WriteBytes(SaveFile(), bytes);
        ZoProfileManager::Instance().RefreshSavedFlag();
        ASSERT_TRUE(game->Load());
        ASSERT_TRUE(game->Save());
        EXPECT_EQ(ReadBytes(SaveFile()), bytes);
        ++boards;
    }
    EXPECT_GE(boards, 8);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GameScreenTest, ADamagedSavedGameIsSaidOnceAndNoLongerOffered) {
    const std::string good = ReadBytes(Scenarios() + "match.Zos");
    std::string badCell = good;
    badCell[badCell.find("{[") + 2] = 'Z';
    std::string shortGroup = good;
    shortGroup.erase(shortGroup.find("{[") + 2, 2);
    for (const std::string& bytes :
         {WithValue(good, "GameID", "7"), WithValue(good, "PlayerBubbleID", "9"),
          WithValue(good, "NextPlayerBubbleID", "-1"), badCell, shortGroup, WithValue(good, "Map", ""),
          std::string("\x01\xff{{[[\"\"\"=====", 15)}) {
        SCOPED_TRACE(bytes.substr(0, 40));
        WriteBytes(SaveFile(), bytes);
        ZoProfileManager::Instance().RefreshSavedFlag();
        ASSERT_TRUE(ZoProfileManager::Instance().ActiveHasSavedGame());
        game->SetupClassic();
        GameMap* before = game->Map();
        errors.clear();
        EXPECT_FALSE(game->Load());
        EXPECT_EQ(errors, std::vector<std::string>{Game::kLoadFailedMessage});
        EXPECT_EQ(GameValues().GameState, 3);
        EXPECT_FALSE(ZoProfileManager::Instance().ActiveHasSavedGame()) << "Continue stays offered";
        EXPECT_EQ(game->Map(), before) << "a refused file must leave the board alone";
        EXPECT_EQ(ReadBytes(SaveFile()), bytes) << "the next save replaces it, nothing else";
    }
    // A slot that was never offered fails quietly.
    WriteBytes(SaveFile(), "");
    ZoProfileManager::Instance().RefreshSavedFlag();
    errors.clear();
    EXPECT_FALSE(game->Load());
    EXPECT_TRUE(errors.empty());
}

TEST_F(GameScreenTest, CountersOutOfRangeAreBroughtIntoRange) {
    const std::string good = ReadBytes(Scenarios() + "match.Zos");
    struct Case {
        const char* key;
        const char* value;
        std::int32_t GameMap::*field;
        std::int32_t expected;
    };
    for (const Case& c : {Case{"NumMovesLeft", "99999999999", &GameMap::NumMovesLeft, 20},
                          Case{"NumMovesLeft", "-7", &GameMap::NumMovesLeft, -7},
                          Case{"NumMovesLeft", "-300", &GameMap::NumMovesLeft, -20},
                          Case{"Score", "1e30", &GameMap::score, 2147483647},
                          Case{"Score", "-5", &GameMap::score, 0},
                          Case{"ElapsedTime", "-5", &GameMap::ElapsedTime, 0},
                          Case{"NumAddLines", "2147483647", &GameMap::NumAddLines, 7},
                          Case{"NumAddedeLines", "-3", &GameMap::NumAddedeLines, 0},
                          Case{"TripleBonus", "-10", &GameMap::TripleBonus, 0}}) {
        WriteBytes(SaveFile(), WithValue(good, c.key, c.value));
        ASSERT_TRUE(game->Load()) << c.key;
        EXPECT_EQ(Map().*c.field, c.expected) << c.key << "=" << c.value;
    }
}
