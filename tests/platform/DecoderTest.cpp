// Image decoding from memory: TGA orientations and RLE, DDS uncompressed and DXT blocks, JPEG, damage.
#include "GraphicsTestSupport.h"

#include "ImageDecoder.h"

#include <array>

using namespace gfxtest;

namespace {

const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

std::uint32_t PixelAt(const DecodedImage& image, int x, int y) {
    const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Decodes a DDS and expects each (x, y, colour).
void ExpectDds(const std::string& dds, const std::vector<std::array<std::uint32_t, 3>>& expected) {
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::DecodeDds(Bytes(dds), dds.size(), image));
    for (const auto& [x, y, colour] : expected)
        EXPECT_EQ(PixelAt(image, static_cast<int>(x), static_cast<int>(y)), colour) << std::hex << x << "," << y;
}

std::string Block565(int c0, int c1, std::uint32_t indices) {
    std::string s;
    PutLE(s, static_cast<std::uint32_t>(c0), 2);
    PutLE(s, static_cast<std::uint32_t>(c1), 2);
    PutLE(s, indices, 4);
    return s;
}

// A DXT5 alpha block: two end points, then sixteen 3-bit indices.
std::string AlphaBlock(int a0, int a1, std::uint64_t indices) {
    std::string s{static_cast<char>(a0), static_cast<char>(a1)};
    PutLE(s, static_cast<std::uint32_t>(indices), 4);
    PutLE(s, static_cast<std::uint32_t>(indices >> 32), 2);
    return s;
}

} // namespace

TEST(DecoderTest, TgaBottomUpTopDownAndRleAgreeAndDds32KeepsAlpha) {
    Pixels pattern(5u * 4u);
    for (int i = 0; i < 20; ++i)
        pattern[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>((i % 5) * 40) << 24 |
                                               static_cast<std::uint32_t>((i / 5) * 50) << 16 |
                                               static_cast<std::uint32_t>(i % 5 < 2 ? 0xFF : 0x40);
    pattern[0] = pattern[1] = pattern[2] = 0x11223380u; // a run for the RLE packets
    std::vector<std::string> files = {MakeDds32(5, 4, pattern)};
    for (const bool topDown : {false, true}) {
        for (const bool rle : {false, true})
            files.push_back(MakeTga(5, 4, pattern, topDown, rle));
    }
    for (const std::string& file : files) {
        DecodedImage image;
        ASSERT_TRUE(ImageDecoder::Decode(Bytes(file), file.size(), image));
        ASSERT_EQ(std::make_pair(image.width, image.height), std::make_pair(5, 4));
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(PixelAt(image, i % 5, i / 5), pattern[static_cast<std::size_t>(i)]) << i;
    }
}

TEST(DecoderTest, DxtBlocksInAllThreeKinds) {
    // DXT1: red and blue end points, pixels 0..3 use indices 0..3; a second block with c0 <= c1 has
    // three colours and transparent black.
    ExpectDds(MakeDdsBlocks(8, 4, "DXT1", Block565(0xF800, 0x001F, 0b11100100) + Block565(0x001F, 0xF800, 0b11100100)),
              {{0, 0, 0xFF0000FFu}, {1, 0, 0x0000FFFFu}, {2, 0, 0xAA0055FFu}, {3, 0, 0x5500AAFFu},
               {0, 1, 0xFF0000FFu}, {6, 0, 0x7F007FFFu}, {7, 0, 0x00000000u}});
    // DXT3: explicit alpha, pixel 0 at 15 and pixel 1 at 8.
    ExpectDds(MakeDdsBlocks(4, 4, "DXT3", std::string("\x8F\0\0\0\0\0\0\0", 8) + Block565(0xFFFF, 0x0000, 0)),
              {{0, 0, 0xFFFFFFFFu}, {1, 0, 0xFFFFFF88u}, {2, 0, 0xFFFFFF00u}});
    // DXT5: indices 0, 1, 2, 7 over 255..0; then a0 <= a1, a six-step palette with 0 and 255 at its end.
    ExpectDds(MakeDdsBlocks(8, 4, "DXT5",
                            AlphaBlock(255, 0, 0u | (1u << 3) | (2u << 6) | (7u << 9)) + Block565(0x07E0, 0, 0) +
                                AlphaBlock(10, 20, 6u | (7u << 3) | (2u << 6)) + Block565(0x07E0, 0, 0)),
              {{0, 0, 0x00FF00FFu}, {1, 0, 0x00FF0000u}, {2, 0, 0x00FF00DAu}, {3, 0, 0x00FF0024u},
               {4, 0, 0x00FF0000u}, {5, 0, 0x00FF00FFu}, {6, 0, 0x00FF000Cu}});
    // Sizes that are not multiples of four use the blocks' top-left part; one block short fails.
    const std::string blocks = Block565(0xF800, 0xF800, 0) + Block565(0x001F, 0x001F, 0);
    ExpectDds(MakeDdsBlocks(5, 3, "DXT1", blocks), {{4, 2, 0x0000FFFFu}});
    DecodedImage image;
    const std::string cut = MakeDdsBlocks(5, 5, "DXT1", blocks);
    EXPECT_FALSE(ImageDecoder::DecodeDds(Bytes(cut), cut.size(), image));
    EXPECT_TRUE(image.rgba.empty());
}

TEST(DecoderTest, JpegDecodesNearItsColoursAndOpaque) {
    Pixels pixels = Fill(16, 16, 0x2080E0FFu);
    FillRect(pixels, 16, 8, 0, 8, 16, 0xF0F020FFu);
    const std::string jpeg = MakeJpeg(16, 16, pixels);
    ASSERT_EQ(ImageDecoder::DetectFormat(Bytes(jpeg), jpeg.size()), ImageFormat::Jpeg);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(Bytes(jpeg), jpeg.size(), image));
    EXPECT_EQ(image.width, 16);
    EXPECT_TRUE(Near(PixelAt(image, 2, 8), 0x2080E0FFu, 12));
    EXPECT_TRUE(Near(PixelAt(image, 13, 8), 0xF0F020FFu, 12));
    EXPECT_EQ(PixelAt(image, 2, 8) & 0xFFu, 0xFFu);
}

TEST(DecoderTest, DamagedFilesFailWithoutCrashing) {
    DecodedImage image;
    EXPECT_FALSE(ImageDecoder::Decode(nullptr, 0, image));
    const std::string dds = MakeDds32(64, 64, Fill(64, 64, 0xFFFFFFFFu));
    for (std::size_t cut : {4u, 100u, 128u, 129u, 1000u})
        EXPECT_FALSE(ImageDecoder::Decode(Bytes(dds), cut, image)) << cut;
    std::string huge = dds;
    huge[12] = huge[13] = huge[14] = huge[15] = '\x7F'; // absurd height
    const std::string unknown = MakeDdsBlocks(4, 4, "ATI2", std::string(16, '\0'));
    const std::string rle = MakeTga(32, 32, Fill(32, 32, 0xFFFFFFFFu), false, true);
    const std::string garbage = "this is not a picture at all";
    for (const std::string* file : std::vector<const std::string*>{&huge, &unknown, &garbage})
        EXPECT_FALSE(ImageDecoder::Decode(Bytes(*file), file->size(), image));
    EXPECT_FALSE(ImageDecoder::DecodeTga(Bytes(rle), 30, image));
    // Other formats' signatures never sneak through the JPEG or TGA paths.
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'></svg>";
    EXPECT_FALSE(ImageDecoder::DecodeJpeg(Bytes(svg), svg.size(), image));
    EXPECT_FALSE(ImageDecoder::DecodeTga(Bytes(svg), svg.size(), image));
    const std::string jpeg = MakeJpeg(8, 8, Fill(8, 8, 0x808080FFu));
    EXPECT_FALSE(ImageDecoder::DecodeJpeg(Bytes(jpeg), 20, image));
    // Headers claiming 60000 x 60000 pixels (JPEG) or 65535 wide (run-length TGA) are refused before
    // anything is allocated.
    std::string giant = jpeg;
    const std::size_t frame = giant.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    giant[frame + 5] = giant[frame + 7] = '\xEA';
    giant[frame + 6] = giant[frame + 8] = '\x60';
    EXPECT_FALSE(ImageDecoder::DecodeJpeg(Bytes(giant), giant.size(), image));
    std::string wide = MakeTga(2, 2, Fill(2, 2, 0xFFFFFFFFu), false, true);
    wide[12] = wide[13] = '\xFF';
    EXPECT_FALSE(ImageDecoder::DecodeTga(Bytes(wide), wide.size(), image));
}
