// Bitmap fonts: fixed cells, the ink scan, measuring, alignment and the failure paths.
#include "GraphicsTestSupport.h"

#include "ZoBitmapFont.h"

#include <gtest/gtest.h>

using namespace gfxtest;

namespace {

bool SameRect(const ZoRect& a, const ZoRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

class FontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureWorld();
        TakeErrors();
    }
};

TEST_F(FontTest, FixedCellsCoverThePictureLeftToRight)
{
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Mono"));
    EXPECT_EQ(font.MonoWidth, 16);
    EXPECT_EQ(font.CharDist, 2);
    EXPECT_EQ(font.Codes(), "ABCD");
    EXPECT_TRUE(SameRect(font.Glyph('A'), ZoRect{0, 0, 16, 16}));
    EXPECT_TRUE(SameRect(font.Glyph('D'), ZoRect{48, 0, 64, 16}));
    EXPECT_TRUE(SameRect(font.Glyph('Z'), ZoRect{0, 0, 0, 0}));
}

TEST(FontCells, FewerCodesThanCellsAndUnusableWidths)
{
    const auto glyphs = ZoBitmapFont::FixedGlyphs(64, 10, "AB", 16);
    EXPECT_EQ(glyphs.size(), 2u);
    EXPECT_TRUE(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", 0).empty());
    EXPECT_TRUE(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", -3).empty());
    // More codes than cells: cells stop at the picture's edge.
    EXPECT_EQ(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", 16).size(), 4u);
    // A repeated character keeps the rectangle of its last occurrence.
    const auto repeated = ZoBitmapFont::FixedGlyphs(64, 10, "ABAC", 16);
    EXPECT_EQ(repeated.at('A').left, 32);
}

TEST(FontScan, GlyphsFollowTheInkTestAndColumnArithmetic)
{
    // Ink in pixel columns 6-7 and 12-14: the test reads two pixels back, so columns 8-9 and 14-16.
    Pixels p = Fill(32, 2, 0);
    FillRect(p, 32, 6, 0, 2, 2, 0xFFFFFFFFu);
    FillRect(p, 32, 12, 0, 3, 2, 0xFFFFFFFFu);
    const std::string tga = MakeTga(32, 2, p);
    const auto glyphs =
        ZoBitmapFont::ScanGlyphs(reinterpret_cast<const unsigned char*>(tga.data()), tga.size(), " AB", 4);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_TRUE(SameRect(glyphs.at(' '), ZoRect{0, 0, 4, 2}));
    EXPECT_TRUE(SameRect(glyphs.at('A'), ZoRect{7, 0, 8, 2}));
    EXPECT_TRUE(SameRect(glyphs.at('B'), ZoRect{13, 0, 15, 2}));
}

TEST(FontScan, GlyphTouchingTheLastColumnIsNotRecorded)
{
    Pixels p = Fill(16, 1, 0);
    FillRect(p, 16, 3, 0, 1, 1, 0xFFFFFFFFu);  // test column 5
    FillRect(p, 16, 11, 0, 3, 1, 0xFFFFFFFFu); // test columns 13-15: runs into the edge
    const std::string tga = MakeTga(16, 1, p);
    const auto glyphs =
        ZoBitmapFont::ScanGlyphs(reinterpret_cast<const unsigned char*>(tga.data()), tga.size(), " XY", 2);
    EXPECT_EQ(glyphs.count('X'), 1u);
    EXPECT_EQ(glyphs.count('Y'), 0u);
}

TEST(FontScan, DamagedOrEmptyInputGivesNoGlyphsAndNoOverread)
{
    EXPECT_TRUE(ZoBitmapFont::ScanGlyphs(nullptr, 0, " A", 2).empty());
    const std::string tga = MakeTga(64, 64, Fill(64, 64, 0xFFFFFFFFu));
    // Header claims 64x64 but the file is cut after 40 bytes.
    const auto glyphs = ZoBitmapFont::ScanGlyphs(reinterpret_cast<const unsigned char*>(tga.data()), 40, " AB", 2);
    EXPECT_LE(glyphs.size(), 3u);
    // More ink than codes: scanning stops when the characters run out.
    Pixels stripes = Fill(64, 1, 0);
    for (int x = 4; x < 60; x += 4) {
        stripes[x] = 0xFFFFFFFFu;
    }
    const std::string striped = MakeTga(64, 1, stripes);
    EXPECT_EQ(
        ZoBitmapFont::ScanGlyphs(reinterpret_cast<const unsigned char*>(striped.data()), striped.size(), " A", 1)
            .size(),
        2u);
}

TEST_F(FontTest, ProportionalFontLoadsThroughTheScan)
{
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Scan"));
    EXPECT_TRUE(SameRect(font.Glyph(' '), ZoRect{0, 0, 4, 2}));
    EXPECT_TRUE(SameRect(font.Glyph('A'), ZoRect{7, 0, 8, 2}));
    EXPECT_TRUE(SameRect(font.Glyph('B'), ZoRect{13, 0, 15, 2}));
    // Widths 4, 1, 2 plus CharDist 1 each.
    EXPECT_EQ(font.MeasureText(" AB"), 10);
    EXPECT_EQ(font.MeasureText(std::string(" AB")), 10);
}

TEST_F(FontTest, MeasureAlignAndOutPosition)
{
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Mono"));
    EXPECT_EQ(font.MeasureText("ABC"), 54);
    EXPECT_EQ(font.MeasureText("AzB"), 16 + 2 + 2 + 16 + 2); // unknown characters advance by CharDist
    EXPECT_EQ(font.MeasureText(static_cast<const char*>(nullptr)), 0);

    ZoRenderDevice& device = ZoRenderDevice::Instance();
    ZoVector out;
    device.BeginFrame();
    font.DrawText(10, 20, "AB", ZoBitmapFont::kAlignLeft, &out);
    EXPECT_EQ(out, ZoVector(46.0f, 20.0f, 0.0f));
    ASSERT_EQ(device.Batch().size(), 2u);
    EXPECT_FLOAT_EQ(device.Batch()[0].x, 10.0f); // left edge at x
    EXPECT_FLOAT_EQ(device.Batch()[0].y, 12.0f); // vertical centre at y

    // Centred: a 54-pixel text at 100 starts at 73; a 37-pixel one would start at 82.
    device.BeginFrame();
    font.DrawText(100, 50, "ABC", ZoBitmapFont::kAlignCentre, &out);
    EXPECT_FLOAT_EQ(device.Batch()[0].x, 73.0f);
    EXPECT_EQ(out.x, 127.0f);
    device.BeginFrame();
    font.DrawText(100, 50, "ABC", ZoBitmapFont::kAlignRight, &out);
    EXPECT_FLOAT_EQ(device.Batch()[0].x, 46.0f);
    EXPECT_EQ(out.x, 100.0f);
    device.EndFrame();
    EXPECT_EQ(font.DrawChar(0, 0, 'q'), 2);
}

TEST_F(FontTest, MissingPictureShowsTheFontMessage)
{
    ZoBitmapFont font;
    EXPECT_FALSE(font.LoadFont("Missing"));
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "Font File 'Fonts/Nowhere' - Not Found!");
    EXPECT_TRUE(font.Glyphs().empty());
}

TEST_F(FontTest, ForeignHeaderFailsSilently)
{
    ZoBitmapFont font;
    EXPECT_FALSE(font.LoadFont("Foreign")); // an RLE picture: type 10, not 2 or 3
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_TRUE(font.Glyphs().empty());
}

TEST_F(FontTest, RegistryHoldsFontsById)
{
    ZoFontRegistry& registry = ZoFontRegistry::Instance();
    auto font = std::make_unique<ZoBitmapFont>();
    ZoBitmapFont* raw = font.get();
    EXPECT_TRUE(registry.Register(0, std::move(font)));
    EXPECT_EQ(registry.Get(0), raw);
    EXPECT_EQ(registry.Get(5), nullptr);
    registry.Register(0, std::make_unique<ZoBitmapFont>());
    EXPECT_NE(registry.Get(0), nullptr);
    registry.Clear();
    EXPECT_EQ(registry.Get(0), nullptr);
}
