// Bitmap fonts: fixed cells, the ink scan, measuring, alignment and the failure paths.
#include "GraphicsTestSupport.h"

#include "ZoBitmapFont.h"

#include <gtest/gtest.h>

using namespace gfxtest;

namespace {

bool SameRect(const ZoRect& a, const ZoRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Glyphs found by the ink scan in a TGA file, of which only the first `size` bytes are handed over.
std::map<char, ZoRect> Scan(const std::string& tga, const char* codes, int spaceSize, std::size_t size = 0) {
    return ZoBitmapFont::ScanGlyphs(reinterpret_cast<const unsigned char*>(tga.data()),
                                    size ? size : tga.size(), codes, spaceSize);
}

} // namespace

class FontTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureWorld();
        TakeErrors();
    }
};

TEST_F(FontTest, FixedCellsCoverThePictureLeftToRight) {
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Mono"));
    EXPECT_EQ(font.MonoWidth, 16);
    EXPECT_EQ(font.CharDist, 2);
    EXPECT_EQ(font.Codes(), "ABCD");
    EXPECT_TRUE(SameRect(font.Glyph('A'), ZoRect{0, 0, 16, 16}));
    EXPECT_TRUE(SameRect(font.Glyph('D'), ZoRect{48, 0, 64, 16}));
    EXPECT_TRUE(SameRect(font.Glyph('Z'), ZoRect{0, 0, 0, 0}));

    EXPECT_EQ(ZoBitmapFont::FixedGlyphs(64, 10, "AB", 16).size(), 2u); // fewer codes than cells
    EXPECT_TRUE(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", 0).empty());
    EXPECT_TRUE(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", -3).empty());
    // More codes than cells: cells stop at the picture's edge.
    EXPECT_EQ(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", 16).size(), 4u);
    // A repeated character keeps the rectangle of its last occurrence.
    EXPECT_EQ(ZoBitmapFont::FixedGlyphs(64, 10, "ABAC", 16).at('A').left, 32);
}

TEST_F(FontTest, ProportionalGlyphsFollowTheInkTestAndColumnArithmetic) {
    // The Scan picture has ink in pixel columns 6-7 and 12-14; the test reads two pixels back, so
    // columns 8-9 and 14-16.
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Scan"));
    ASSERT_EQ(font.Glyphs().size(), 3u);
    EXPECT_TRUE(SameRect(font.Glyph(' '), ZoRect{0, 0, 4, 2}));
    EXPECT_TRUE(SameRect(font.Glyph('A'), ZoRect{7, 0, 8, 2}));
    EXPECT_TRUE(SameRect(font.Glyph('B'), ZoRect{13, 0, 15, 2}));
    // Widths 4, 1, 2 plus CharDist 1 each.
    EXPECT_EQ(font.MeasureText(" AB"), 10);
    EXPECT_EQ(font.MeasureText(std::string(" AB")), 10);

    // A glyph running into the last column is not recorded.
    Pixels edge = Fill(16, 1, 0);
    FillRect(edge, 16, 3, 0, 1, 1, 0xFFFFFFFFu);  // test column 5
    FillRect(edge, 16, 11, 0, 3, 1, 0xFFFFFFFFu); // test columns 13-15
    const auto cut = Scan(MakeTga(16, 1, edge), " XY", 2);
    EXPECT_EQ(cut.count('X'), 1u);
    EXPECT_EQ(cut.count('Y'), 0u);
}

TEST(FontScan, DamagedOrEmptyInputGivesNoGlyphsAndNoOverread) {
    EXPECT_TRUE(ZoBitmapFont::ScanGlyphs(nullptr, 0, " A", 2).empty());
    // Header claims 64x64 but the file is cut after 40 bytes.
    EXPECT_LE(Scan(MakeTga(64, 64, Fill(64, 64, 0xFFFFFFFFu)), " AB", 2, 40).size(), 3u);
    // More ink than codes: scanning stops when the characters run out.
    Pixels stripes = Fill(64, 1, 0);
    for (int x = 4; x < 60; x += 4) {
        stripes[x] = 0xFFFFFFFFu;
    }
    EXPECT_EQ(Scan(MakeTga(64, 1, stripes), " A", 1).size(), 2u);
}

TEST_F(FontTest, MeasureAlignAndOutPosition) {
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

TEST_F(FontTest, MissingPictureShowsTheFontMessageAndAForeignHeaderFailsSilently) {
    ZoBitmapFont font;
    EXPECT_FALSE(font.LoadFont("Missing"));
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "Font File 'Fonts/Nowhere' - Not Found!");
    EXPECT_TRUE(font.Glyphs().empty());

    ZoBitmapFont foreign;
    EXPECT_FALSE(foreign.LoadFont("Foreign")); // an RLE picture: type 10, not 2 or 3
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_TRUE(foreign.Glyphs().empty());
}

TEST_F(FontTest, RegistryHoldsFontsById) {
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
