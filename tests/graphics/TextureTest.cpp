// Pictures from the archive: the shared cache and its release, the lookup order, failures, hit masks.
#include "GraphicsTestSupport.h"

#include "PlatformVideo.h"
#include "ZoImage.h"
#include "ZoImageCache.h"
#include "ZoImageData.h"

#include <array>
#include <memory>

using namespace gfxtest;

namespace {

// Hit masks of a TGA file, of which only the first `size` bytes are handed over (all when 0).
std::unique_ptr<std::vector<ZoBitMask>> Masks(const std::string& tga, int width, int height, std::size_t size = 0) {
    return ZoImageData::BuildMasks(reinterpret_cast<const unsigned char*>(tga.data()), size ? size : tga.size(),
                                   width, height);
}

// Draws image alone at (x, y) and gives back the frame.
Pixels DrawAlone(ZoImage& image, float x, float y) {
    ZoRenderDevice::Instance().Invalidate();
    ZoRenderDevice::Instance().BeginFrame();
    image.position = ZoVector(x, y, 0.0f);
    image.Draw();
    ZoRenderDevice::Instance().EndFrame();
    return Frame();
}

} // namespace

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureWorld();
        TakeErrors();
    }
};

TEST_F(TextureTest, ImagesShareOneTextureUntilTheLastLetsGoAndALaterLoadReadsAgain) {
    ZoImageCache& cache = ZoImageCache::Instance();
    const int texturesBefore = PlatformVideo::Instance().TextureCount();
    auto first = std::make_unique<ZoImage>();
    auto second = std::make_unique<ZoImage>();
    first->Load("Test/Quad", false);
    second->Load("Test/Quad", false);
    ASSERT_NE(first->Data(), nullptr);
    EXPECT_EQ(first->Data(), second->Data());
    EXPECT_EQ(cache.Find("Test/Quad"), first->Data());
    EXPECT_EQ(PlatformVideo::Instance().TextureCount(), texturesBefore + 1);
    {
        ZoImage copy(*first);
        EXPECT_EQ(first->Data()->ReferenceCount(), 3u);
    }
    const ZoTexture oldTexture = first->Data()->Texture();
    first.reset();
    EXPECT_NE(cache.Find("Test/Quad"), nullptr);
    second.reset();
    EXPECT_EQ(cache.Find("Test/Quad"), nullptr);
    EXPECT_EQ(PlatformVideo::Instance().TextureCount(), texturesBefore);
    ZoImage again;
    again.Load("Test/Quad", false);
    EXPECT_NE(again.Data()->Texture(), 0u);
    EXPECT_NE(again.Data()->Texture(), oldTexture);
}

TEST_F(TextureTest, DdsWinsOverTgaAndPicturesKeepTheirOwnSize) {
    ZoImage image;
    image.Load("Test/Both", false);
    EXPECT_TRUE(Near(At(DrawAlone(image, 10.0f, 10.0f), 10, 10), 0x00FF00FFu)); // the DDS is green, the TGA red
    image.Load("Test/Photo", false);
    EXPECT_EQ(image.Width(), 16);
    image.Load("Test/Odd", false); // another name lets the old picture go
    EXPECT_EQ(ZoImageCache::Instance().Find("Test/Photo"), nullptr);
    EXPECT_EQ(image.Height(), 60);
    // Not stretched: 100x60 pixels centred on the position.
    ExpectPixels(DrawAlone(image, 400.0f, 300.0f),
                 {{350, 270, 0x30C0C0FFu}, {449, 329, 0x30C0C0FFu}, {450, 300, 0x000000FFu}, {400, 330, 0x000000FFu}});
}

TEST_F(TextureTest, MissingPictureShowsOneErrorPerLoadAndADamagedOneNone) {
    ZoImage image;
    EXPECT_TRUE(image.Load("Test/Nowhere", false));
    EXPECT_EQ(TakeErrors(), std::vector<std::string>{"File 'Test/Nowhere' - Not Found!"});
    EXPECT_EQ(ZoImageCache::Instance().Find("Test/Nowhere"), nullptr);
    ZoImage other;
    other.Load("Test/Nowhere", false);
    EXPECT_EQ(TakeErrors().size(), 1u);
    ZoRenderDevice::Instance().BeginFrame();
    image.Draw();
    image.DrawFrame(FrameRect{8, 8, 0, 0});
    EXPECT_TRUE(ZoRenderDevice::Instance().Batch().empty());
    ZoRenderDevice::Instance().EndFrame();

    ZoImage broken;
    broken.Load("Test/Broken", false);
    EXPECT_EQ(broken.Data()->Texture(), 0u);
    EXPECT_TRUE(TakeErrors().empty());
}

TEST_F(TextureTest, MaskLevelsHalveTwiceAndStayInBounds) {
    Pixels corner = Fill(64, 32, 0);
    FillRect(corner, 64, 0, 0, 4, 4, 0xFFFFFFFFu); // top-left corner opaque
    struct Case {
        std::string tga;
        int width, height;
        std::size_t size;
        std::array<int, 3> widths, heights;
        std::vector<std::array<int, 4>> cells; // level, x, y, expected
    } const cases[] = {
        // Row 0 is the picture's top row although the file stores rows bottom-up.
        {MakeTga(64, 32, corner), 64, 32, 0, {64, 32, 16}, {32, 16, 8},
         {{0, 0, 0, 1}, {0, 3, 3, 1}, {0, 4, 0, 0}, {0, 0, 31, 0}, {1, 1, 1, 1}, {1, 2, 0, 0}, {2, 0, 0, 1}}},
        // A file cut in the middle of its pixels: the missing ones read as transparent.
        {MakeTga(5, 3, Fill(5, 3, 0xFFFFFFFFu)), 5, 3, 18 + 4 * 7, {5, 2, 1}, {3, 1, 0}, {{0, 0, 2, 1}, {0, 4, 0, 0}}},
    };
    for (const Case& c : cases) {
        auto levels = Masks(c.tga, c.width, c.height, c.size);
        ASSERT_EQ(levels->size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ((*levels)[i].width, c.widths[i]) << c.width << " level " << i;
            EXPECT_EQ((*levels)[i].height, c.heights[i]) << c.width << " level " << i;
            EXPECT_EQ((*levels)[i].shift, i);
        }
        for (const auto& [level, x, y, expected] : c.cells)
            EXPECT_EQ((*levels)[level].Cell(x, y), expected) << c.width << ": " << level << " " << x << "," << y;
    }
    // A coarse cell takes the last source cell visited: of a 2x2 block, the bottom-right one decides.
    Pixels onlyLast = Fill(4, 4, 0);
    onlyLast[1 * 4 + 1] = 0xFFFFFFFFu;
    EXPECT_EQ((*Masks(MakeTga(4, 4, onlyLast), 4, 4))[1].Cell(0, 0), 1);
    Pixels onlyFirst = Fill(4, 4, 0);
    onlyFirst[0] = 0xFFFFFFFFu;
    EXPECT_EQ((*Masks(MakeTga(4, 4, onlyFirst), 4, 4))[1].Cell(0, 0), 0);
}
