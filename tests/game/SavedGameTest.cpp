// The saved game: leaving for the menu saves, continuing restores byte for byte, damaged files are refused
// or clamped and never crash, and the file stays inside the save folder whatever the player's name.
#include "SavedGame.h"
#include "GameScreenFixture.h"
#include "GameSprites.h"
#include "GuiTestSupport.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoTextTree.h"

#include <cstdio>
#include <vector>

namespace {

std::vector<std::string> BoardText(const GameMap& map) {
    std::vector<std::string> rows;
    for (int y = 0; y < GameValues().yMax; ++y) {
        std::string row;
        for (int x = 0; x < GameValues().xMax; ++x) {
            const BaseBubble* ball = map.Bubble(x, y);
            row += ball != nullptr ? static_cast<char>('0' + ball->BubbleID) : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

struct Counters {
    std::int32_t values[10];
    bool operator==(const Counters& other) const {
        return std::equal(std::begin(values), std::end(values), std::begin(other.values));
    }
};

Counters CountersOf(const GameMap& map) {
    return Counters{{map.score, map.TripleBonus, map.LongestCombo, map.ElapsedTime, map.NumMovesLeft,
                     map.NumBeginMoves, map.NextNumBeginMoves, map.NumAddLines, map.NumAddedeLines,
                     map.NextBubble() != nullptr ? map.NextBubble()->BubbleID : -1}};
}

// A valid saved game's text with one key's value replaced (or the key removed when value is empty);
// never the first key of the file.
std::string WithValue(const std::string& file, const std::string& key, const std::string& value) {
    const std::string start = "\n" + key + "=";
    const std::size_t at = file.find(start);
    if (at == std::string::npos) {
        return file;
    }
    const std::size_t end = file.find("\r\n", at);
    if (value.empty()) {
        return file.substr(0, at + 1) + file.substr(end + 2);
    }
    return file.substr(0, at + start.size()) + value + file.substr(end);
}

} // namespace

TEST_F(GameScreenTest, LeavingForTheMenuSavesAndContinuingRestoresEverything) {
    StartGame(true, 1);
    ASSERT_TRUE(Shoot(true));
    WaitUntilReady();
    ASSERT_TRUE(Shoot(false));
    WaitUntilReady();
    for (int i = 0; i < 100; ++i) {
        Frame(16); // the clock runs on
    }
    const std::vector<std::string> board = BoardText(Map());
    const Counters counters = CountersOf(Map());
    const std::int32_t current = Launcher().CurrentBubble()->BubbleID;
    ASSERT_GT(Map().score, 0);

    // The menu button, clicked: saved, and the menu comes back.
    Send(guitest::MouseMoveTo(80, 566));
    Send(guitest::LeftDown(80, 566));
    Send(guitest::LeftUp(80, 566));
    EXPECT_EQ(game->pendingCommand, Game::kToMenuButton);
    Frame();
    EXPECT_EQ(windows->ActiveName(), Game::kMenuListener);
    const std::string saved = ReadBytes(SaveFile());
    ASSERT_GT(saved.size(), 4u);
    EXPECT_TRUE(ZoProfileManager::Instance().ActiveHasSavedGame());

    // A fresh screen continues it: same board, counters, score and launcher balls.
    game->SetupClassic();
    ASSERT_TRUE(game->Load());
    EXPECT_EQ(game->GameID, Game::kArcade);
    EXPECT_NE(dynamic_cast<ArcadeMap*>(&Map()), nullptr);
    EXPECT_EQ(GameValues().GameState, 0);
    EXPECT_EQ(Map().MapState, GameMap::kIntroAfterLoad);
    EXPECT_EQ(BoardText(Map()), board);
    EXPECT_TRUE(CountersOf(Map()) == counters);
    ASSERT_NE(Launcher().CurrentBubble(), nullptr);
    EXPECT_EQ(Launcher().CurrentBubble()->BubbleID, current);
    for (int x = 0; x < GameValues().xMax; ++x) {
        for (int y = 0; y < GameValues().yMax; ++y) {
            const BaseBubble* ball = Map().Bubble(x, y);
            if (ball != nullptr) {
                EXPECT_TRUE(GameSprites::Instance().Layer().Contains(ball));
                EXPECT_LT((ball->position - Map().CellToPixel(x, y)).Length(), 0.01f);
            }
        }
    }
    // Saving again at once gives the same bytes.
    ASSERT_TRUE(game->Save());
    EXPECT_EQ(ReadBytes(SaveFile()), saved);

    // The colours come back one by one before the first shot; the clock waits for them.
    ear->Take();
    const std::int32_t clock = Map().ElapsedTime;
    Send(guitest::MouseMoveTo(400, 200));
    Send(guitest::LeftUp(400, 200));
    EXPECT_FALSE(Launcher().flying);
    RunUntil([this] { return Map().MapState == GameMap::kReady; });
    EXPECT_EQ(ear->Count(103), static_cast<int>(Map().Colours().size()));
    EXPECT_LE(Map().ElapsedTime, clock + 16);
}

TEST_F(GameScreenTest, SavedFileLayoutIsColumnByColumnWithFillerBytes) {
    StartGame(false, 0);
    WaitUntilReady();
    for (int x = 0; x < GameValues().xMax; ++x) {
        for (int y = 0; y < GameValues().yMax; ++y) {
            Map().TakeBubble(x, y);
        }
    }
    auto ball = GameSprites::Instance().MakeBubble(5);
    ball->EnterLayer(Map().Layer());
    Map().SetBubble(3, 1, std::move(ball));
    Map().score = 1234;
    ASSERT_TRUE(game->Save());
    const std::string file = ReadBytes(SaveFile());
    EXPECT_NE(file.find("\r\nScore=1234.000000\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\r\nGameID=0\r\n"), std::string::npos);

    ZoTextTree tree;
    ASSERT_EQ(tree.LoadFile(SaveFile()), 0);
    int columns = 0;
    int rows = 0;
    const std::string grid = tree.GetCharGrid("Map", columns, rows, ',', "");
    ASSERT_EQ(columns, 20);
    ASSERT_EQ(rows, 20);
    ASSERT_EQ(grid.size(), 400u);
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 20; ++y) {
            const unsigned char c = static_cast<unsigned char>(grid[static_cast<std::size_t>(x * 20 + y)]);
            if (x >= GameValues().xMax || y >= GameValues().yMax) {
                EXPECT_EQ(c, 255) << x << "," << y;
            } else if (x == 3 && y == 1) {
                EXPECT_EQ(c, '7');
            } else {
                EXPECT_EQ(c, '1') << x << "," << y;
            }
        }
    }
}

TEST_F(GameScreenTest, DamagedSavedGamesAreRefusedOrClamped) {
    StartGame(false, 0);
    WaitUntilReady();
    ASSERT_TRUE(game->Save());
    const std::string good = ReadBytes(SaveFile());
    ASSERT_FALSE(good.empty());

    struct Refused {
        const char* what;
        std::string bytes;
    };
    std::string badCell = good;
    badCell[badCell.find("{[") + 2] = 'Z';
    std::string shortGrid = good;
    shortGrid.erase(shortGrid.find("{[") + 2, 2);
    const std::vector<Refused> refused = {
        {"empty", ""},
        {"mode", WithValue(good, "GameID", "7")},
        {"launcher colour", WithValue(good, "PlayerBubbleID", "9")},
        {"next colour", WithValue(good, "NextPlayerBubbleID", "-1")},
        {"cell", badCell},
        {"short group", shortGrid},
        {"no board", WithValue(good, "Map", "")},
        {"garbage", std::string("\x01\xff{{[[\"\"\"=====", 15)},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.what);
        WriteBytes(SaveFile(), r.bytes);
        ZoProfileManager::Instance().RefreshSavedFlag();
        game->SetupClassic();
        GameMap* before = game->Map();
        EXPECT_FALSE(game->Load());
        EXPECT_EQ(GameValues().GameState, 3);
        EXPECT_FALSE(ZoProfileManager::Instance().ActiveHasSavedGame());
        EXPECT_EQ(game->Map(), before) << "a refused file must leave the board alone";
    }

    // Numbers out of range are clamped into what the game can run.
    std::string wild = WithValue(good, "NumMovesLeft", "99999999999");
    wild = WithValue(wild, "Score", "1e30");
    wild = WithValue(wild, "ElapsedTime", "-5");
    wild = WithValue(wild, "NumAddLines", "2147483647");
    wild = WithValue(wild, "NumAddedeLines", "-3");
    wild = WithValue(wild, "TripleBonus", "-10");
    WriteBytes(SaveFile(), wild);
    ASSERT_TRUE(game->Load());
    EXPECT_EQ(Map().score, 2147483647);
    EXPECT_EQ(Map().NumMovesLeft, 20);
    EXPECT_EQ(Map().ElapsedTime, 0);
    EXPECT_EQ(Map().NumAddLines, 7);
    EXPECT_EQ(Map().NumAddedeLines, 0);
    EXPECT_EQ(Map().TripleBonus, 0);
    WriteBytes(SaveFile(), WithValue(good, "Score", "-5"));
    ASSERT_TRUE(game->Load());
    EXPECT_EQ(Map().score, 0);

    // Every truncation of a good file loads or is refused, and what loads is a board of real colours.
    for (std::size_t cut = 0; cut < good.size(); cut += 7) {
        WriteBytes(SaveFile(), good.substr(0, cut));
        if (game->Load()) {
            for (int x = 0; x < GameValues().xMax; ++x) {
                for (int y = 0; y < GameValues().yMax; ++y) {
                    const BaseBubble* ball = Map().Bubble(x, y);
                    ASSERT_TRUE(ball == nullptr || (ball->BubbleID >= 0 && ball->BubbleID < 6));
                }
            }
        }
    }
    // And random bytes spliced into it.
    ZoRandom noise;
    noise.Seed(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = good;
        for (int k = 0; k < 4; ++k) {
            bytes[static_cast<std::size_t>(noise.Below(static_cast<int>(bytes.size())))] =
                static_cast<char>(noise.Below(256));
        }
        WriteBytes(SaveFile(), bytes);
        game->Load();
    }
}

TEST_F(GameScreenTest, NoProfileNoFileAndNamesCannotLeaveTheSaveFolder) {
    StartGame(false, 0);
    WaitUntilReady();
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    profiles.AddProfile("../../escape/x");
    profiles.SelectProfile("../../escape/x");
    ASSERT_TRUE(game->Save());
    const std::string path = SaveFile();
    EXPECT_EQ(path.rfind("Data/Save/", 0), 0u);
    EXPECT_EQ(path.find('/', std::string("Data/Save/").size()), std::string::npos) << path;
    EXPECT_GT(ReadBytes(path).size(), 4u);
    std::FILE* escaped = std::fopen("../../escape/x.Zos", "rb");
    EXPECT_EQ(escaped, nullptr);
    if (escaped != nullptr) {
        std::fclose(escaped);
    }
    // Abandoning empties it.
    game->Abandon();
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_FALSE(profiles.ActiveHasSavedGame());
    EXPECT_EQ(GameValues().GameState, 3);
    profiles.DeleteActiveProfile();
    profiles.SelectProfile(kPlayer);

    // A finished game is not saved over its emptied file.
    StartGame(false, 0);
    game->SetFinished();
    EXPECT_FALSE(game->Save());
    EXPECT_EQ(ReadBytes(SaveFile()), "");
}
