// The packed archives hold every picture and text file the game reads, in a shape the game can use.
#include "GameDataFiles.h"

#include "ImageDecoder.h"
#include "ZoResourceManager.h"
#include "ZoTextTree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

ZoTextTree ArchiveTree(const std::string& name) {
    ZoTextTree tree;
    const std::vector<std::uint8_t> bytes = ArchiveFile(name);
    EXPECT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(
        tree.LoadMemory(reinterpret_cast<const char*>(bytes.data()), static_cast<std::int32_t>(bytes.size())),
        0)
        << name;
    return tree;
}

bool InArchive(std::size_t archive, const std::string& name) {
    const auto& archives = ZoResourceManager::Instance().Archives();
    if (archive >= archives.size()) {
        return false;
    }
    std::string lower = name;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return archives[archive].items.count(lower) != 0;
}

class GameData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenGameArchives()) << "build the gamedata target first"; }
};

TEST_F(GameData, ArchivesHoldEveryPictureAndTextFileInTheRightArchive) {
    for (const PictureFrames& p : GamePictures()) {
        std::string path;
        EXPECT_FALSE(PictureFile(p.name, &path).empty()) << p.name;
        EXPECT_TRUE(InArchive(0, path)) << p.name << " belongs in Resource.Zor";
    }
    for (const char* resource : {"Data/EngineDefs.Txt", "Data/Map.Txt"}) {
        EXPECT_TRUE(InArchive(0, resource)) << resource;
    }
    for (const char* lang : {"Data/Lang.Txt", "Data/Fonts.Txt"}) {
        EXPECT_TRUE(InArchive(1, lang)) << lang;
        EXPECT_FALSE(InArchive(0, lang)) << lang;
    }
    ZoTextTree fonts = ArchiveTree("Data/Fonts.Txt");
    for (const char* font : {"MainFont", "Digits"}) {
        const std::string file =
            "Data/Textures/" + fonts.GetString(std::string(font) + ".FileName", "") + ".Tga";
        EXPECT_TRUE(InArchive(1, file)) << file;
    }
}

TEST_F(GameData, EveryPictureDecodesAndDividesIntoItsFrames) {
    for (const PictureFrames& p : GamePictures()) {
        std::string path;
        const std::vector<std::uint8_t> file = PictureFile(p.name, &path);
        PictureSize size;
        const bool tga = path.size() > 4 && path.substr(path.size() - 4) == ".Tga";
        ASSERT_TRUE(tga ? ReadTgaSize(file, size) : ReadJpegSize(file, size)) << path;
        DecodedImage image;
        ASSERT_TRUE(ImageDecoder::Decode(file.data(), file.size(), image)) << path;
        EXPECT_EQ(image.width, size.width) << path;
        EXPECT_EQ(image.height, size.height) << path;
        EXPECT_EQ(size.width % p.columns, 0) << path;
        EXPECT_EQ(size.height % p.rows, 0) << path;
        if (p.rows * p.columns > 1 && p.name.rfind("Interface/", 0) == 0) {
            // A clear border round every frame of a widget: a filtering renderer samples across a frame's
            // edge, and whatever the neighbour has there shows as a line beside the widget.
            const int fw = size.width / p.columns, fh = size.height / p.rows;
            int touching = 0;
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x)
                    if ((x % fw == 0 || x % fw == fw - 1 || y % fh == 0 || y % fh == fh - 1) &&
                        image.rgba[4 * (static_cast<std::size_t>(y) * size.width + x) + 3] != 0)
                        ++touching;
            EXPECT_EQ(touching, 0) << path << ": frames reach their edges";
        }
        if (tga) {
            // Pictures with transparency must really use it; opaque ones are stored as JPEG.
            bool seeThrough = false;
            for (std::size_t i = 3; i < image.rgba.size() && !seeThrough; i += 4) {
                seeThrough = image.rgba[i] < 255;
            }
            EXPECT_TRUE(seeThrough) << path;
        }
    }
}

TEST_F(GameData, TgaRowsAreStoredBottomUpAsTheHitMasksExpect) {
    // A top-down file would decode just as well but give upside-down hit masks: the decoder's top row must be
    // the file's last stored row.
    const std::vector<std::uint8_t> file = PictureFile("Interface/BtnOk");
    PictureSize size;
    ASSERT_TRUE(ReadTgaSize(file, size));
    EXPECT_EQ(file[17] & 0x20, 0);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(file.data(), file.size(), image));
    const std::size_t lastStoredRow = 18 + 4u * size.width * (size.height - 1);
    for (int x = 0; x < size.width; ++x) {
        ASSERT_EQ(image.rgba[4 * x + 3], file[lastStoredRow + 4 * x + 3]) << x;
    }
}

TEST_F(GameData, BallsFitTheBoardRadiusAndShowThePaletteColours) {
    ZoTextTree map = ArchiveTree("Data/Map.Txt");
    const int radius = map.GetInt("BubbleRadius", 0);
    ASSERT_GT(radius, 0);
    // The cursor tints of the game, one per ball colour.
    const int palette[6][3] = {{140, 154, 232}, {255, 145, 105}, {99, 206, 91},
                               {255, 242, 35},  {230, 141, 213}, {255, 255, 255}};
    for (int id = 0; id < 6; ++id) {
        const std::vector<std::uint8_t> file = PictureFile("Bubbles/" + std::to_string(id));
        DecodedImage ball;
        ASSERT_TRUE(ImageDecoder::Decode(file.data(), file.size(), ball));
        EXPECT_EQ(ball.height, 2 * radius);
        EXPECT_EQ(ball.width, 9 * 2 * radius);
        // The ball at rest (frame 8): its most common opaque colour is the palette colour.
        std::map<int, int> counts;
        for (int y = 0; y < ball.height; ++y) {
            for (int x = 8 * 2 * radius; x < ball.width; ++x) {
                const std::uint8_t* px = &ball.rgba[4 * (y * ball.width + x)];
                if (px[3] == 255) {
                    ++counts[((px[0] >> 4) << 8) | ((px[1] >> 4) << 4) | (px[2] >> 4)];
                }
            }
        }
        ASSERT_FALSE(counts.empty());
        int best = 0, bestCount = 0;
        for (const auto& c : counts) {
            if (c.second > bestCount) {
                best = c.first;
                bestCount = c.second;
            }
        }
        const int rgb[3] = {((best >> 8) & 15) * 16 + 8, ((best >> 4) & 15) * 16 + 8, (best & 15) * 16 + 8};
        for (int ch = 0; ch < 3; ++ch) {
            EXPECT_NEAR(rgb[ch], palette[id][ch], 40) << "ball " << id << " channel " << ch;
        }
    }
    const std::vector<std::uint8_t> shadow = PictureFile("Bubbles/Shadow");
    PictureSize size;
    ASSERT_TRUE(ReadTgaSize(shadow, size));
    EXPECT_EQ(size.height, 2 * radius);
    EXPECT_EQ(size.width, 9 * 2 * radius);
}

TEST_F(GameData, ButtonsAreSolidWhereTheyAreClicked) {
    // The game hit-tests buttons against their alpha masks, so every frame must be solid at its centre.
    for (const PictureFrames& p : GamePictures()) {
        if (p.rows < 3 || p.name == "Interface/CheckBox") {
            continue;
        }
        const std::vector<std::uint8_t> file = PictureFile(p.name);
        DecodedImage image;
        ASSERT_TRUE(ImageDecoder::Decode(file.data(), file.size(), image));
        const int frameHeight = image.height / p.rows;
        for (int f = 0; f < p.rows; ++f) {
            for (int dx : {-image.width / 4, 0, image.width / 4}) {
                const int x = image.width / 2 + dx, y = f * frameHeight + frameHeight / 2;
                EXPECT_GT(image.rgba[4 * (y * image.width + x) + 3], 0) << p.name << " frame " << f;
            }
        }
    }
}

TEST_F(GameData, TextFilesParseAndHoldEveryKeyTheGameReads) {
    ZoTextTree defs = ArchiveTree("Data/EngineDefs.Txt");
    for (const char* key :
         {"ProfileDlg.OkButtonPos", "ProfileDlg.AddButtonPos",  "ProfileDlg.DelButtonPos",
          "ProfileDlg.UpOffset",    "ProfileDlg.CharYDist",     "ProfileDlg.NumProfiles",
          "ScoreDlg.TittlePos",     "ScoreDlg.PrevPos",         "ScoreDlg.NextPos",
          "ScoreDlg.OkPos",         "ScoreDlg.ClearPos",        "ScoreDlg.UpUffset",
          "ScoreDlg.LineOffset",    "ScoreDlg.LeftNumOffset",   "ScoreDlg.ScoreOffset",
          "ScoreDlg.NameOffset",    "EnterNameDlg.OkButtonPos", "EnterNameDlg.CancelButtonPos",
          "EnterNameDlg.TextPos",   "EnterNameDlg.LeftOffset",  "EnterNameDlg.UpOffset",
          "EnterNameDlg.CharXDist", "EnterNameDlg.CharYDist",   "EnterNameDlg.InputWidth"}) {
        EXPECT_TRUE(defs.Has(key)) << key;
    }
    // Positions must give three numbers with the separator their readers use.
    for (const char* key : {"ProfileDlg.OkButtonPos", "EnterNameDlg.TextPos", "EnterNameDlg.OkButtonPos"}) {
        EXPECT_EQ(defs.GetFloatList(key, ',').size(), 3u) << key;
    }
    for (const char* key : {"ScoreDlg.TittlePos", "ScoreDlg.PrevPos", "ScoreDlg.ClearPos"}) {
        EXPECT_EQ(defs.GetFloatList(key, ' ').size(), 3u) << key;
    }
    ZoTextTree map = ArchiveTree("Data/Map.Txt");
    for (const char* key : {"xMax", "yMax", "xPlayerPos", "yPlayerPos", "BubbleRadius"}) {
        EXPECT_GT(map.GetInt(key, 0), 0) << key;
    }
    EXPECT_LE(map.GetInt("xMax", 0), 20);
    EXPECT_LE(map.GetInt("yMax", 0), 20);
    for (const char* key : {"GameOver.ScorePos", "GameOver.BonusPos", "GameOver.TotalPos"}) {
        EXPECT_EQ(map.GetFloatList(key, ' ').size(), 3u) << key;
    }
    ZoTextTree fonts = ArchiveTree("Data/Fonts.Txt");
    EXPECT_EQ(fonts.GetString("Language", ""), "English");
    for (const char* font : {"MainFont", "Digits"}) {
        for (const char* key : {"Codes", "FileName", "SpaceSize", "CharDist", "MonoWidth"}) {
            EXPECT_TRUE(fonts.Has(std::string(font) + "." + key)) << font << "." << key;
        }
    }
    ZoTextTree lang = ArchiveTree("Data/Lang.Txt");
    const std::string codes = fonts.GetString("MainFont.Codes", "");
    for (const char* key : {"ConrirmStart", "DifficultChange", "ConfirmDeletePlayer", "ConfirmClearTable"}) {
        const std::string text = lang.GetString(std::string("English.") + key, "");
        EXPECT_FALSE(text.empty()) << key;
        // The message font must be able to draw every character ("#" only breaks lines).
        for (char c : text) {
            EXPECT_TRUE(c == '#' || codes.find(c) != std::string::npos) << key << " uses '" << c << "'";
        }
    }
}

} // namespace
