// Bitmap fonts: fixed cells, the ink scan, measuring, and the failure paths.
#include "GraphicsTestSupport.h"

#include "ZoBitmapFont.h"

using namespace gfxtest;

namespace {

std::tuple<int, int, int, int> Box(const ZoRect& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); }

// Glyphs found by the ink scan in a TGA file, of which only the first `size` bytes are handed over.
std::map<char, ZoRect> Scan(const std::string& tga, const char* codes, int spaceSize, std::size_t size = 0) {
    return ZoBitmapFont::ScanGlyphs(reinterpret_cast<const unsigned char*>(tga.data()), size ? size : tga.size(),
                                    codes, spaceSize);
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
    EXPECT_EQ(Box(font.Glyph('A')), Box(ZoRect{0, 0, 16, 16}));
    EXPECT_EQ(Box(font.Glyph('D')), Box(ZoRect{48, 0, 64, 16}));
    EXPECT_EQ(Box(font.Glyph('Z')), Box(ZoRect{0, 0, 0, 0}));
    EXPECT_EQ(font.MeasureText("AzB"), 16 + 2 + 2 + 16 + 2); // unknown characters advance by CharDist
    EXPECT_EQ(font.MeasureText(static_cast<const char*>(nullptr)), 0);
    ZoVector end;
    ZoRenderDevice::Instance().BeginFrame();
    font.DrawText(100, 20, "ABC", ZoBitmapFont::kAlignCentre, &end); // where the next letter would go
    EXPECT_EQ(end, ZoVector(127.0f, 20.0f, 0.0f));
    ZoRenderDevice::Instance().EndFrame();
    EXPECT_EQ(ZoBitmapFont::FixedGlyphs(64, 10, "AB", 16).size(), 2u); // fewer codes than cells
    EXPECT_TRUE(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", 0).empty());
    EXPECT_TRUE(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", -3).empty());
    EXPECT_EQ(ZoBitmapFont::FixedGlyphs(64, 10, "ABCDEF", 16).size(), 4u); // cells stop at the edge
    // A repeated character keeps the rectangle of its last occurrence.
    EXPECT_EQ(ZoBitmapFont::FixedGlyphs(64, 10, "ABAC", 16).at('A').left, 32);
}

TEST_F(FontTest, ProportionalGlyphsFollowTheInkTestAndColumnArithmetic) {
    // Ink in pixel columns 6-7 and 12-14; the test reads two pixels back, so columns 8-9 and 14-16.
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Scan"));
    ASSERT_EQ(font.Glyphs().size(), 3u);
    EXPECT_EQ(Box(font.Glyph(' ')), Box(ZoRect{0, 0, 4, 2}));
    EXPECT_EQ(Box(font.Glyph('A')), Box(ZoRect{7, 0, 8, 2}));
    EXPECT_EQ(Box(font.Glyph('B')), Box(ZoRect{13, 0, 15, 2}));
    EXPECT_EQ(font.MeasureText(std::string(" AB")), 10); // widths 4, 1, 2 plus CharDist 1 each

    // A glyph running into the last column is not recorded.
    Pixels edge = Fill(16, 1, 0);
    FillRect(edge, 16, 3, 0, 1, 1, 0xFFFFFFFFu);
    FillRect(edge, 16, 11, 0, 3, 1, 0xFFFFFFFFu);
    const auto cut = Scan(MakeTga(16, 1, edge), " XY", 2);
    EXPECT_EQ(std::make_pair(cut.count('X'), cut.count('Y')), std::make_pair(std::size_t{1}, std::size_t{0}));
}

TEST_F(FontTest, DamagedMissingOrForeignPicturesGiveNoGlyphsAndNoOverread) {
    EXPECT_TRUE(ZoBitmapFont::ScanGlyphs(nullptr, 0, " A", 2).empty());
    // Header claims 64x64 but the file is cut after 40 bytes.
    EXPECT_LE(Scan(MakeTga(64, 64, Fill(64, 64, 0xFFFFFFFFu)), " AB", 2, 40).size(), 3u);
    // More ink than codes: scanning stops when the characters run out.
    Pixels stripes = Fill(64, 1, 0);
    for (int x = 4; x < 60; x += 4)
        stripes[static_cast<std::size_t>(x)] = 0xFFFFFFFFu;
    EXPECT_EQ(Scan(MakeTga(64, 1, stripes), " A", 1).size(), 2u);

    ZoBitmapFont font;
    EXPECT_FALSE(font.LoadFont("Missing"));
    const std::vector<std::string> errors = TakeErrors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back(), "Font File 'Fonts/Nowhere' - Not Found!");
    ZoBitmapFont foreign;
    EXPECT_FALSE(foreign.LoadFont("Foreign")); // an RLE picture: type 10, not 2 or 3
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_TRUE(foreign.Glyphs().empty());
}
