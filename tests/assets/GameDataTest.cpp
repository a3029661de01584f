// The game data the build packed: every picture decodes in a shape the game can use, every text file parses,
// the balls match the cursor tints, and the fonts can draw every text with no letter clipped.
#include "GameGlobals.h"
#include "ImageDecoder.h"
#include "TestFiles.h"
#include "ZoBitmapFont.h"
#include "ZoResourceManager.h"
#include "ZoTextTree.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class GameData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(archives.Open(BinaryDir() + "/Data/Resource.Zor") &&
                    archives.Open(BinaryDir() + "/Data/Lang.Zor"));
    }
    static ZoTextTree Tree(const std::string& name) {
        const std::string text = archives.GetFileText(name);
        ZoTextTree tree;
        EXPECT_EQ(tree.LoadMemory(text.data(), static_cast<std::int32_t>(text.size())), 0) << name;
        return tree;
    }
    static DecodedImage Picture(const std::string& name) {
        const std::string bytes = archives.GetFileText(name);
        DecodedImage image;
        EXPECT_TRUE(ImageDecoder::Decode(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), image))
            << name;
        return image;
    }
    // Every stored name of both archives with the given start and end.
    static std::vector<std::string> Names(const std::string& prefix, const std::string& suffix) {
        std::vector<std::string> names;
        for (const ZoFileEntry& archive : archives.Archives())
            for (const auto& entry : archive.items) {
                const std::string& name = entry.second->name;
                if (name.rfind(prefix, 0) == 0 && name.size() >= suffix.size() &&
                    name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                    names.push_back(name);
            }
        return names;
    }
    inline static ZoResourceManager archives;
};

TEST_F(GameData, PicturesDecodeTgasAreTransparentBottomUpAndTextFilesParse) {
    int pictures = 0;
    for (const std::string& name : Names("Data/Textures/", "")) {
        const DecodedImage image = Picture(name);
        EXPECT_GT(image.width * image.height, 0) << name;
        ++pictures;
        if (name.compare(name.size() - 4, 4, ".Tga") != 0)
            continue;
        // Hit masks are built from the stored rows bottom-up; a top-down file would flip them.
        EXPECT_EQ(archives.GetFileText(name)[17] & 0x20, 0) << name;
        // Opaque pictures are stored as JPEG: a TGA must really use its transparency.
        bool seeThrough = false;
        for (std::size_t i = 3; i < image.rgba.size() && !seeThrough; i += 4)
            seeThrough = image.rgba[i] < 255;
        EXPECT_TRUE(seeThrough) << name;
    }
    EXPECT_GT(pictures, 0);
    EXPECT_EQ(Picture("Data/Textures/Icon.Tga").width, 64) << "the window's icon";
    for (const std::string& name : Names("Data/", ".Txt"))
        Tree(name);
}

TEST_F(GameData, BallsFitTheBoardAndTheirColourIsTheCursorTint) {
    const int radius = Tree("Data/Map.Txt").GetInt("BubbleRadius", 0);
    ASSERT_GT(radius, 0);
    for (int id = 0; id < kBubbleColours; ++id) {
        const DecodedImage ball = Picture("Data/Textures/Bubbles/" + std::to_string(id) + ".Tga");
        ASSERT_EQ(ball.height, 2 * radius);
        ASSERT_EQ(ball.width, 9 * 2 * radius); // nine frames of the appearing ball
        // The ball at rest (the last frame): its most common opaque colour, to 16 levels a channel.
        std::map<int, int> counts;
        for (int y = 0; y < ball.height; ++y)
            for (int x = 8 * 2 * radius; x < ball.width; ++x) {
                const std::uint8_t* p = &ball.rgba[4 * (y * ball.width + x)];
                if (p[3] == 255)
                    ++counts[(p[0] >> 4) << 8 | (p[1] >> 4) << 4 | p[2] >> 4];
            }
        const int common = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                               return a.second < b.second;
                           })->first;
        const BubbleTint tint = TintOfBubble(id);
        EXPECT_NEAR((common >> 8) * 16 + 8, tint.red, 40) << "ball " << id;
        EXPECT_NEAR((common >> 4 & 15) * 16 + 8, tint.green, 40) << "ball " << id;
        EXPECT_NEAR((common & 15) * 16 + 8, tint.blue, 40) << "ball " << id;
    }
}

TEST_F(GameData, FontsGiveEveryGlyphABoxHoldingAllItsInkAndCanDrawEveryText) {
    ZoTextTree fonts = Tree("Data/Fonts.Txt");
    for (const std::string font : {"MainFont", "Digits"}) {
        const std::string codes = fonts.GetString(font + ".Codes", "");
        const int space = fonts.GetInt(font + ".SpaceSize", 0);
        const std::string tga = archives.GetFileText("Data/Textures/" + fonts.GetString(font + ".FileName", "") + ".Tga");
        ASSERT_GT(tga.size(), 18u) << font;
        EXPECT_EQ(codes.find('#'), std::string::npos) << "'#' breaks lines and must draw nothing";
        const auto glyphs = ZoBitmapFont::ScanGlyphs(reinterpret_cast<const unsigned char*>(tga.data()), tga.size(),
                                                     codes, space);
        ASSERT_EQ(glyphs.size(), codes.size()) << font << ": the scan lost glyphs";
        const int width = static_cast<int>(LittleEndian(tga, 12, 2)), height = static_cast<int>(LittleEndian(tga, 14, 2));
        std::vector<char> owner(static_cast<std::size_t>(width), 0);
        for (const auto& [code, box] : glyphs)
            for (int x = std::max(box.left, 0); x < std::min(box.right, width); ++x) {
                EXPECT_EQ(owner[x], 0) << font << ": '" << owner[x] << "' and '" << code << "' overlap at " << x;
                owner[x] = code;
            }
        // Visible ink outside every box would be clipped off its letter (alpha 1 only marks columns), and the
        // blank must stay blank.
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                ASSERT_TRUE(static_cast<unsigned char>(tga[18 + 4 * (y * width + x) + 3]) <= 1 ||
                            (owner[x] != 0 && owner[x] != ' '))
                    << font << ": stray ink at column " << x;
    }
    const std::string codes = fonts.GetString("MainFont.Codes", "");
    ZoTextTree lang = Tree("Data/Lang.Txt");
    for (const auto& [key, value] : lang.Values())
        for (char c : lang.GetString(key, ""))
            EXPECT_TRUE(c == '#' || codes.find(c) != std::string::npos) << key << " uses '" << c << "'";
}

} // namespace
