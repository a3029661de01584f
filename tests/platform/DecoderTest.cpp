// Image decoding from memory: TGA orientations and RLE, DDS uncompressed and DXT blocks, JPEG, damage.
#include "GraphicsTestSupport.h"

#include "ImageDecoder.h"

#include <gtest/gtest.h>

#include <string>

using namespace gfxtest;

namespace {

const std::uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

std::uint32_t PixelAt(const DecodedImage& image, int x, int y) {
    const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

Pixels Pattern(int width, int height) {
    Pixels p(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            p[static_cast<std::size_t>(y) * width + x] =
                (static_cast<std::uint32_t>(x * 40) << 24) | (static_cast<std::uint32_t>(y * 50) << 16) |
                (x == y ? 0x8000u : 0u) | static_cast<std::uint32_t>(x < 2 ? 0xFF : 0x40);
        }
    }
    p[0] = p[1] = p[2] = 0x11223380u; // a run for the RLE packets
    return p;
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

TEST(DecoderTest, TgaBottomUpTopDownAndRleAgree) {
    const Pixels pattern = Pattern(5, 4);
    for (const bool topDown : {false, true}) {
        for (const bool rle : {false, true}) {
            const std::string tga = MakeTga(5, 4, pattern, topDown, rle);
            DecodedImage image;
            ASSERT_TRUE(ImageDecoder::DecodeTga(Bytes(tga), tga.size(), image)) << topDown << rle;
            ASSERT_EQ(image.width, 5);
            ASSERT_EQ(image.height, 4);
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 5; ++x) {
                    EXPECT_EQ(PixelAt(image, x, y), pattern[static_cast<std::size_t>(y) * 5 + x])
                        << "at " << x << "," << y << " topDown " << topDown << " rle " << rle;
                }
            }
        }
    }
}

TEST(DecoderTest, Dds32KeepsColoursAndAlpha) {
    const Pixels pattern = Pattern(3, 2);
    const std::string dds = MakeDds32(3, 2, pattern);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(Bytes(dds), dds.size(), image));
    ASSERT_EQ(image.width, 3);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(PixelAt(image, i % 3, i / 3), pattern[static_cast<std::size_t>(i)]);
    }
}

TEST(DecoderTest, Dxt1FourAndThreeColourBlocks) {
    // Red and blue end points; pixels 0..3 use indices 0..3.
    std::string blocks = Block565(0xF800, 0x001F, 0b11100100);
    // Second block: c0 <= c1 selects three colours and transparent black.
    blocks += Block565(0x001F, 0xF800, 0b11100100);
    const std::string dds = MakeDdsBlocks(8, 4, "DXT1", blocks);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::DecodeDds(Bytes(dds), dds.size(), image));
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x0000FFFFu);
    EXPECT_EQ(PixelAt(image, 2, 0), 0xAA0055FFu);
    EXPECT_EQ(PixelAt(image, 3, 0), 0x5500AAFFu);
    EXPECT_EQ(PixelAt(image, 0, 1), 0xFF0000FFu); // index 0 everywhere else
    EXPECT_EQ(PixelAt(image, 6, 0), 0x7F007FFFu); // midpoint
    EXPECT_EQ(PixelAt(image, 7, 0), 0x00000000u); // transparent
}

TEST(DecoderTest, Dxt3ExplicitAndDxt5InterpolatedAlpha) {
    std::string dxt3;
    dxt3.push_back(static_cast<char>(0x8F)); // pixel 0: 15, pixel 1: 8
    dxt3.append(7, '\0');
    dxt3 += Block565(0xFFFF, 0x0000, 0);
    const std::string dds3 = MakeDdsBlocks(4, 4, "DXT3", dxt3);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::DecodeDds(Bytes(dds3), dds3.size(), image));
    EXPECT_EQ(PixelAt(image, 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(image, 1, 0), 0xFFFFFF88u);
    EXPECT_EQ(PixelAt(image, 2, 0), 0xFFFFFF00u);

    // Indices of pixels 0..3: 0, 1, 2, 7 (3 bits each, little end first).
    const std::string dxt5 =
        AlphaBlock(255, 0, 0u | (1u << 3) | (2u << 6) | (7u << 9)) + Block565(0x07E0, 0, 0);
    // a0 <= a1: six-step palette with 0 and 255 at the end.
    const std::string second = AlphaBlock(10, 20, 6u | (7u << 3) | (2u << 6)) + Block565(0x07E0, 0, 0);
    const std::string dds5 = MakeDdsBlocks(8, 4, "DXT5", dxt5 + second);
    ASSERT_TRUE(ImageDecoder::DecodeDds(Bytes(dds5), dds5.size(), image));
    EXPECT_EQ(PixelAt(image, 0, 0), 0x00FF00FFu);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x00FF0000u);
    EXPECT_EQ(PixelAt(image, 2, 0), 0x00FF00DAu); // 6/7 of 255
    EXPECT_EQ(PixelAt(image, 3, 0), 0x00FF0024u); // 1/7 of 255
    EXPECT_EQ(PixelAt(image, 4, 0), 0x00FF0000u);
    EXPECT_EQ(PixelAt(image, 5, 0), 0x00FF00FFu);
    EXPECT_EQ(PixelAt(image, 6, 0), 0x00FF000Cu); // (4 * 10 + 20) / 5
}

TEST(DecoderTest, BlockSizesThatAreNotMultiplesOfFour) {
    const std::string blocks = Block565(0xF800, 0xF800, 0) + Block565(0x001F, 0x001F, 0);
    const std::string dds = MakeDdsBlocks(5, 3, "DXT1", blocks);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::DecodeDds(Bytes(dds), dds.size(), image));
    EXPECT_EQ(image.rgba.size(), 5u * 3u * 4u);
    EXPECT_EQ(PixelAt(image, 4, 2), 0x0000FFFFu);
    // One block short.
    const std::string cut = MakeDdsBlocks(5, 5, "DXT1", blocks);
    EXPECT_FALSE(ImageDecoder::DecodeDds(Bytes(cut), cut.size(), image));
    EXPECT_TRUE(image.rgba.empty());
}

TEST(DecoderTest, JpegDecodesNearItsColours) {
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
    for (std::size_t cut : {4u, 100u, 128u, 129u, 1000u}) {
        EXPECT_FALSE(ImageDecoder::Decode(Bytes(dds), cut, image)) << cut;
    }
    std::string huge = dds;
    huge[12] = huge[13] = huge[14] = huge[15] = '\x7F'; // absurd height
    EXPECT_FALSE(ImageDecoder::Decode(Bytes(huge), huge.size(), image));
    std::string unknown = MakeDdsBlocks(4, 4, "ATI2", std::string(16, '\0'));
    EXPECT_FALSE(ImageDecoder::Decode(Bytes(unknown), unknown.size(), image));
    const std::string tga = MakeTga(32, 32, Fill(32, 32, 0xFFFFFFFFu), false, true);
    EXPECT_FALSE(ImageDecoder::DecodeTga(Bytes(tga), 30, image));
    const std::string garbage = "this is not a picture at all";
    EXPECT_FALSE(ImageDecoder::Decode(Bytes(garbage), garbage.size(), image));
    // Other formats' signatures never sneak through the JPEG or TGA paths.
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'></svg>";
    EXPECT_FALSE(ImageDecoder::DecodeJpeg(Bytes(svg), svg.size(), image));
    EXPECT_FALSE(ImageDecoder::DecodeTga(Bytes(svg), svg.size(), image));
    const std::string jpeg = MakeJpeg(8, 8, Fill(8, 8, 0x808080FFu));
    EXPECT_FALSE(ImageDecoder::DecodeJpeg(Bytes(jpeg), 20, image));
    // A frame header claiming 60000 x 60000 pixels is refused before anything is allocated.
    std::string giant = jpeg;
    const std::size_t frame = giant.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    giant[frame + 5] = giant[frame + 7] = '\xEA';
    giant[frame + 6] = giant[frame + 8] = '\x60';
    EXPECT_FALSE(ImageDecoder::DecodeJpeg(Bytes(giant), giant.size(), image));
    // The same for a run-length TGA whose header claims a huge picture.
    std::string wide = MakeTga(2, 2, Fill(2, 2, 0xFFFFFFFFu), false, true);
    wide[12] = wide[13] = '\xFF';
    EXPECT_FALSE(ImageDecoder::DecodeTga(Bytes(wide), wide.size(), image));
}
