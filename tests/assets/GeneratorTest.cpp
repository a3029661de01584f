// The generator's TGA writer: straight (not premultiplied) colours, so soft edges keep their colour instead
// of darkening, and rows bottom-up as the hit masks read them.
#include "ImageDecoder.h"
#include "ImageEncoder.h"
#include "Picture.h"

#include <gtest/gtest.h>

TEST(Generator, TgaStoresStraightColoursBottomUp) {
    SurfacePtr surface = NewSurface(3, 2);
    cairo_t* cr = cairo_create(surface.get());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 1, 0, 0, 0.5); // top row: half-transparent red
    cairo_rectangle(cr, 0, 0, 3, 1);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0, 0, 1, 1); // bottom row: blue
    cairo_rectangle(cr, 0, 1, 3, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    const Bytes tga = EncodeTga(surface.get());
    ASSERT_EQ(tga.size(), 18u + 3 * 2 * 4);
    EXPECT_EQ(std::vector<int>(tga.begin() + 18, tga.begin() + 22), (std::vector<int>{255, 0, 0, 255}));
    DecodedImage image;
    ASSERT_TRUE(ImageDecoder::Decode(tga.data(), tga.size(), image));
    EXPECT_EQ(std::vector<int>(image.rgba.begin(), image.rgba.begin() + 3), (std::vector<int>{255, 0, 0}));
    EXPECT_NEAR(image.rgba[3], 128, 1);
}
