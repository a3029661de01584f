// The generator's own encoders: straight colours in the files, rows in the order the game expects.
#include "ImageDecoder.h"
#include "ImageEncoder.h"
#include "Painter.h"
#include "Picture.h"

#include <gtest/gtest.h>

namespace {

TEST(Generator, TgaStoresStraightColoursBottomUp) {
    SurfacePtr s = NewSurface(3, 2);
    cairo_t* cr = cairo_create(s.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 1, 0, 0, 0.5); // top row: half-transparent red
    cairo_rectangle(cr, 0, 0, 3, 1);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0, 0, 1, 1); // bottom row: blue
    cairo_rectangle(cr, 0, 1, 3, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    const Bytes tga = EncodeTga(s.get());
    ASSERT_EQ(tga.size(), 18u + 3 * 2 * 4);
    EXPECT_EQ(tga[2], 2);
    EXPECT_EQ(tga[12], 3);
    EXPECT_EQ(tga[14], 2);
    EXPECT_EQ(tga[16], 32);
    EXPECT_EQ(tga[17], 8);
    // The first stored row is the bottom one (blue), as blue, green, red, alpha.
    EXPECT_EQ(tga[18], 255);
    EXPECT_EQ(tga[20], 0);
    EXPECT_EQ(tga[21], 255);
    // The top row keeps full red although cairo holds it premultiplied.
    const std::size_t top = 18 + 3 * 4;
    EXPECT_EQ(tga[top + 2], 255);
    EXPECT_NEAR(tga[top + 3], 128, 1);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(tga.data(), tga.size(), image));
    EXPECT_EQ(image.rgba[0], 255);
    EXPECT_EQ(image.rgba[2], 0);
    EXPECT_EQ(image.rgba[4 * 3 + 2], 255);
}

TEST(Generator, JpegDecodesToTheSamePicture) {
    SurfacePtr s = NewSurface(40, 24);
    {
        Painter p(s.get());
        p.SetColour(Rgb8(60, 200, 90));
        cairo_paint(p.Cr());
    }
    const Bytes jpeg = EncodeJpeg(s.get(), 92);
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(jpeg.data(), jpeg.size(), image));
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 24);
    EXPECT_NEAR(image.rgba[4 * (12 * 40 + 20)], 60, 6);
    EXPECT_NEAR(image.rgba[4 * (12 * 40 + 20) + 1], 200, 6);
    EXPECT_EQ(image.rgba[4 * (12 * 40 + 20) + 3], 255);
}

TEST(Generator, BlurSpreadsWithoutMovingOrLosingInk) {
    SurfacePtr s = NewSurface(41, 41);
    cairo_t* cr = cairo_create(s.get());
    cairo_rectangle(cr, 15, 15, 11, 11);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    auto alphaSum = [&](double& cx, double& cy) {
        cairo_surface_flush(s.get());
        const unsigned char* d = cairo_image_surface_get_data(s.get());
        const int stride = cairo_image_surface_get_stride(s.get());
        double sum = 0;
        cx = cy = 0;
        for (int y = 0; y < 41; ++y) {
            for (int x = 0; x < 41; ++x) {
                const double a = d[y * stride + x * 4 + 3];
                sum += a;
                cx += a * x;
                cy += a * y;
            }
        }
        cx /= sum;
        cy /= sum;
        return sum;
    };
    double x0, y0, x1, y1;
    const double before = alphaSum(x0, y0);
    BlurSurface(s.get(), 6);
    const double after = alphaSum(x1, y1);
    EXPECT_NEAR(after, before, before * 0.02);
    EXPECT_NEAR(x1, x0, 0.3);
    EXPECT_NEAR(y1, y0, 0.3);
    std::uint8_t corner[4];
    ReadPixel(s.get(), 15, 15, corner);
    EXPECT_LT(corner[3], 250); // the hard corner went soft
}

} // namespace
