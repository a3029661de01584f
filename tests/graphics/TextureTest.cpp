// Texture loading through the archive, the shared cache and its release, hit masks.
#include "PixelProbe.h"

#include "PlatformVideo.h"
#include "ZoImage.h"
#include "ZoImageCache.h"
#include "ZoImageData.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace gfxtest;

namespace {

// Hit masks of a TGA file, of which only the first `size` bytes are handed over (all when 0).
std::unique_ptr<std::vector<ZoBitMask>> Masks(const std::string& tga, int width, int height,
                                              std::size_t size = 0) {
    return ZoImageData::BuildMasks(reinterpret_cast<const unsigned char*>(tga.data()),
                                   size ? size : tga.size(), width, height);
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

TEST_F(TextureTest, TwoImagesShareOneDataObjectUntilBothLetGo) {
    ZoImageCache& cache = ZoImageCache::Instance();
    ASSERT_EQ(cache.Find("Test/Quad"), nullptr);
    const int texturesBefore = PlatformVideo::Instance().TextureCount();
    auto first = std::make_unique<ZoImage>();
    auto second = std::make_unique<ZoImage>();
    EXPECT_TRUE(first->Load("Test/Quad", false));
    EXPECT_TRUE(second->Load("Test/Quad", false));
    ASSERT_NE(first->Data(), nullptr);
    EXPECT_EQ(first->Data(), second->Data());
    EXPECT_EQ(first->Data()->ReferenceCount(), 2u);
    EXPECT_EQ(cache.Find("Test/Quad"), first->Data());
    EXPECT_EQ(PlatformVideo::Instance().TextureCount(), texturesBefore + 1);
    const ZoTexture oldTexture = first->Data()->Texture();

    // A copy holds one more reference.
    {
        ZoImage copy(*first);
        EXPECT_EQ(first->Data()->ReferenceCount(), 3u);
    }
    EXPECT_EQ(first->Data()->ReferenceCount(), 2u);

    first.reset();
    EXPECT_NE(cache.Find("Test/Quad"), nullptr);
    second.reset();
    EXPECT_EQ(cache.Find("Test/Quad"), nullptr);
    EXPECT_EQ(PlatformVideo::Instance().TextureCount(), texturesBefore);

    // A later load reads the archive again and makes a new texture.
    ZoImage again;
    again.Load("Test/Quad", false);
    ASSERT_NE(again.Data(), nullptr);
    EXPECT_NE(again.Data()->Texture(), 0u);
    EXPECT_NE(again.Data()->Texture(), oldTexture);
    EXPECT_EQ(again.Width(), 64);
}

TEST_F(TextureTest, DdsWinsOverTgaOfTheSameName) {
    ZoImage image;
    image.Load("Test/Both", false);
    ASSERT_NE(image.Data(), nullptr);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(PlatformVideo::Instance().TextureSize(image.Data()->Texture(), width, height));
    EXPECT_EQ(width, 8);
    // The DDS is green, the TGA red: draw it and look.
    EXPECT_TRUE(Near(At(DrawAlone(image, 10.0f, 10.0f), 10, 10), 0x00FF00FFu));
}

TEST_F(TextureTest, MissingPictureShowsOneErrorPerLoadAndDrawsNothing) {
    ZoImage image;
    EXPECT_TRUE(image.Load("Test/Nowhere", false));
    std::vector<std::string> errors = TakeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "File 'Test/Nowhere' - Not Found!");
    EXPECT_EQ(ZoImageCache::Instance().Find("Test/Nowhere"), nullptr);
    ASSERT_NE(image.Data(), nullptr);
    EXPECT_EQ(image.Data()->Texture(), 0u);

    ZoImage other;
    other.Load("Test/Nowhere", false);
    EXPECT_EQ(TakeErrors().size(), 1u);

    ZoRenderDevice::Instance().BeginFrame();
    image.Draw();
    image.DrawFrame(FrameRect{8, 8, 0, 0});
    EXPECT_TRUE(ZoRenderDevice::Instance().Batch().empty());
    ZoRenderDevice::Instance().EndFrame();
}

TEST_F(TextureTest, DamagedPictureFailsWithoutMessage) {
    ZoImageData* data = new ZoImageData(); // reference counted: freed by RemoveReference below
    data->AddReference();
    EXPECT_FALSE(data->LoadTexture("Test/Broken", false));
    EXPECT_EQ(data->Texture(), 0u);
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_TRUE(data->RemoveReference());
}

TEST_F(TextureTest, PicturesKeepTheirSizeAndAnotherNameLetsTheOldOneGo) {
    ZoImage image;
    image.Load("Test/Photo", false);
    EXPECT_EQ(image.Width(), 16);
    EXPECT_EQ(image.Height(), 16);
    image.Load("Test/Odd", false);
    EXPECT_EQ(ZoImageCache::Instance().Find("Test/Photo"), nullptr);
    ASSERT_NE(ZoImageCache::Instance().Find("Test/Odd"), nullptr);
    EXPECT_EQ(image.Width(), 100);
    EXPECT_EQ(image.Height(), 60);
    ExpectPixels(
        DrawAlone(image, 400.0f, 300.0f), // not stretched: 100x60 pixels centred there
        {{350, 270, 0x30C0C0FFu}, {449, 329, 0x30C0C0FFu}, {450, 300, 0x000000FFu}, {400, 330, 0x000000FFu}});
}

TEST_F(TextureTest, MaskLevelsHalveTwiceAndStayInBounds) {
    Pixels corner = Fill(64, 32, 0);
    FillRect(corner, 64, 0, 0, 4, 4, 0xFFFFFFFFu); // top-left corner opaque
    // Cut a 5x3 file in the middle of its pixels: the missing ones read as transparent.
    const std::string shortFile = MakeTga(5, 3, Fill(5, 3, 0xFFFFFFFFu));
    struct Case {
        std::string tga;
        int width, height;
        std::size_t size;
        int levelWidths[3], levelHeights[3];
        std::vector<std::array<int, 4>> cells; // level, x, y, expected
    } const cases[] = {
        // Row 0 is the picture's top row although the file stores rows bottom-up.
        {MakeTga(64, 32, corner),
         64,
         32,
         0,
         {64, 32, 16},
         {32, 16, 8},
         {{0, 0, 0, 1},
          {0, 3, 3, 1},
          {0, 4, 0, 0},
          {0, 0, 31, 0},
          {1, 1, 1, 1},
          {1, 2, 0, 0},
          {2, 0, 0, 1},
          {2, 1, 0, 0}}},
        {shortFile, 5, 3, 18 + 4 * 7, {5, 2, 1}, {3, 1, 0}, {{0, 0, 2, 1}, {0, 4, 0, 0}}},
    };
    for (const Case& c : cases) {
        auto levels = Masks(c.tga, c.width, c.height, c.size);
        ASSERT_EQ(levels->size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ((*levels)[i].width, c.levelWidths[i]) << c.width << " level " << i;
            EXPECT_EQ((*levels)[i].height, c.levelHeights[i]) << c.width << " level " << i;
            EXPECT_EQ((*levels)[i].shift, i);
        }
        for (const auto& [level, x, y, expected] : c.cells) {
            EXPECT_EQ((*levels)[level].Cell(x, y), expected)
                << c.width << ": " << level << " " << x << "," << y;
        }
    }
    // A coarse cell takes the last source cell visited: of a 2x2 block, the bottom-right one decides.
    Pixels onlyLast = Fill(4, 4, 0);
    onlyLast[1 * 4 + 1] = 0xFFFFFFFFu;
    EXPECT_EQ((*Masks(MakeTga(4, 4, onlyLast), 4, 4))[1].Cell(0, 0), 1);
    Pixels onlyFirst = Fill(4, 4, 0);
    onlyFirst[0] = 0xFFFFFFFFu;
    EXPECT_EQ((*Masks(MakeTga(4, 4, onlyFirst), 4, 4))[1].Cell(0, 0), 0);
}

TEST_F(TextureTest, ReloadAllTexturesKeepsCacheAndMasks) {
    ZoImage image;
    image.Load("Test/Disc", true);
    ASSERT_NE(image.Data()->MaskLevels(), nullptr);
    const ZoTexture before = image.Data()->Texture();
    ZoImageCache::Instance().ReloadAllTextures();
    EXPECT_NE(image.Data()->Texture(), 0u);
    EXPECT_NE(image.Data()->Texture(), before);
    EXPECT_NE(image.Data()->MaskLevels(), nullptr);
    EXPECT_EQ(ZoImageCache::Instance().Find("Test/Disc"), image.Data());
}
