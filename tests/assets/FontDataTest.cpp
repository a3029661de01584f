// The font pictures, scanned exactly as the game scans them, give every glyph a box that holds all its ink.
#include "GameDataFiles.h"

#include "FontArt.h"
#include "ZoBitmapFont.h"
#include "ZoTextTree.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct FontFile {
    std::string codes;
    int spaceSize = 0;
    std::vector<std::uint8_t> tga;
};

FontFile ReadFont(const std::string& name) {
    FontFile f;
    ZoTextTree tree;
    const std::vector<std::uint8_t> txt = ArchiveFile("Data/Fonts.Txt");
    EXPECT_EQ(
        tree.LoadMemory(reinterpret_cast<const char*>(txt.data()), static_cast<std::int32_t>(txt.size())), 0);
    f.codes = tree.GetString(name + ".Codes", "");
    f.spaceSize = tree.GetInt(name + ".SpaceSize", 0);
    EXPECT_EQ(tree.GetInt(name + ".MonoWidth", 0), -1) << name;
    f.tga = ArchiveFile("Data/Textures/" + tree.GetString(name + ".FileName", "") + ".Tga");
    return f;
}

class FontData : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ASSERT_TRUE(OpenGameArchives()); }
};

TEST_P(FontData, EngineScanGivesEveryGlyphABoxHoldingAllItsInk) {
    const FontFile font = ReadFont(GetParam());
    ASSERT_GT(font.codes.size(), 1u);
    EXPECT_EQ(font.codes[0], ' ');
    EXPECT_EQ(font.codes.find('#'), std::string::npos)
        << "help text lines end in '#', which must draw nothing";
    PictureSize size;
    ASSERT_TRUE(ReadTgaSize(font.tga, size));
    // The game accepts only these twelve header bytes for a font picture.
    const std::uint8_t header[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(header, header + 12, font.tga.begin()));

    const std::map<char, ZoRect> glyphs =
        ZoBitmapFont::ScanGlyphs(font.tga.data(), font.tga.size(), font.codes, font.spaceSize);
    ASSERT_EQ(glyphs.size(), font.codes.size()) << "the scan lost glyphs";
    EXPECT_EQ(glyphs.at(' ').left, 0);
    EXPECT_EQ(glyphs.at(' ').right, font.spaceSize);

    // Which picture columns each glyph box covers; a column with visible ink outside every box is clipped
    // ink.
    std::vector<int> owner(size.width, -1);
    for (std::size_t i = 1; i < font.codes.size(); ++i) {
        const ZoRect r = glyphs.at(font.codes[i]);
        EXPECT_LT(r.left, r.right) << "'" << font.codes[i] << "'";
        EXPECT_GE(r.left, font.spaceSize);
        EXPECT_LE(r.right, size.width);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.bottom, size.height);
        for (int x = r.left; x < r.right; ++x) {
            EXPECT_EQ(owner[x], -1) << "boxes of '" << font.codes[owner[x]] << "' and '" << font.codes[i]
                                    << "' overlap at column " << x;
            owner[x] = static_cast<int>(i);
        }
    }
    for (int x = 0; x < size.width; ++x) {
        for (int y = 0; y < size.height; ++y) {
            const std::uint8_t alpha = font.tga[18 + 4 * (y * size.width + x) + 3];
            if (alpha > 1) { // alpha 1 marks columns for the scan and is invisible
                ASSERT_NE(owner[x], -1) << GetParam() << ": ink at column " << x << " belongs to no glyph";
            }
        }
    }
    // The blank glyph is really blank.
    for (int x = 0; x < font.spaceSize; ++x) {
        for (int y = 0; y < size.height; ++y) {
            EXPECT_EQ(font.tga[18 + 4 * (y * size.width + x) + 3], 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothFonts, FontData, ::testing::Values("MainFont", "Digits"));

TEST(FontScan, GeneratorCopyOfTheScanAgreesWithTheEngine) {
    // The generator refuses fonts by its own copy of the scan; it must be the very scan the game runs.
    std::mt19937 random(20261206);
    for (int round = 0; round < 200; ++round) {
        const int w = 8 + static_cast<int>(random() % 120), h = 1 + static_cast<int>(random() % 6);
        std::vector<std::uint8_t> tga(18 + 4 * w * h, 0);
        tga[2] = 2;
        tga[12] = static_cast<std::uint8_t>(w);
        tga[14] = static_cast<std::uint8_t>(h);
        tga[16] = 32;
        tga[17] = 8;
        for (int i = 0; i < w * h; ++i) {
            if (random() % 3 == 0) {
                tga[18 + 4 * i + 3] = static_cast<std::uint8_t>(1 + random() % 255);
            }
        }
        const std::string codes = " abcdefghijklmnopqrstuvwxyz";
        const int space = static_cast<int>(random() % 6);
        const std::map<char, GlyphBox> ours = ScanFontFile(tga, codes, space);
        const std::map<char, ZoRect> engine = ZoBitmapFont::ScanGlyphs(tga.data(), tga.size(), codes, space);
        ASSERT_EQ(ours.size(), engine.size()) << "round " << round;
        for (const auto& g : engine) {
            ASSERT_EQ(ours.at(g.first).left, g.second.left) << "round " << round << " '" << g.first << "'";
            ASSERT_EQ(ours.at(g.first).right, g.second.right) << "round " << round << " '" << g.first << "'";
        }
    }
}

} // namespace
