// Texture loading through the archive, the shared cache and its release, hit masks.
#include "GraphicsTestSupport.h"

#include "PlatformVideo.h"
#include "ZoImage.h"
#include "ZoImageCache.h"
#include "ZoImageData.h"

#include <gtest/gtest.h>

#include <memory>

using namespace gfxtest;

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureWorld();
        TakeErrors();
    }
};

TEST_F(TextureTest, TwoImagesShareOneDataObjectUntilBothLetGo)
{
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

TEST_F(TextureTest, DdsWinsOverTgaOfTheSameName)
{
    ZoImage image;
    image.Load("Test/Both", false);
    ASSERT_NE(image.Data(), nullptr);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(PlatformVideo::Instance().TextureSize(image.Data()->Texture(), width, height));
    EXPECT_EQ(width, 8);
    // The DDS is green, the TGA red: draw it and look.
    ZoRenderDevice::Instance().Invalidate();
    ZoRenderDevice::Instance().BeginFrame();
    image.position = ZoVector(10.0f, 10.0f, 0.0f);
    image.Draw();
    ZoRenderDevice::Instance().EndFrame();
    EXPECT_TRUE(Near(At(Frame(), 10, 10), 0x00FF00FFu));
}

TEST_F(TextureTest, MissingPictureShowsOneErrorPerLoadAndDrawsNothing)
{
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

TEST_F(TextureTest, DamagedPictureFailsWithoutMessage)
{
    ZoImageData* data = new ZoImageData(); // reference counted: freed by RemoveReference below
    data->AddReference();
    EXPECT_FALSE(data->LoadTexture("Test/Broken", false));
    EXPECT_EQ(data->Texture(), 0u);
    EXPECT_TRUE(TakeErrors().empty());
    EXPECT_TRUE(data->RemoveReference());
}

TEST_F(TextureTest, JpegLoadsWithItsSize)
{
    ZoImage image;
    image.Load("Test/Photo", false);
    EXPECT_EQ(image.Width(), 16);
    EXPECT_EQ(image.Height(), 16);
}

TEST_F(TextureTest, OddSizedPictureIsNotStretched)
{
    ZoImage image;
    image.Load("Test/Odd", false);
    EXPECT_EQ(image.Width(), 100);
    EXPECT_EQ(image.Height(), 60);
    ZoRenderDevice::Instance().Invalidate();
    ZoRenderDevice::Instance().BeginFrame();
    image.position = ZoVector(400.0f, 300.0f, 0.0f);
    image.Draw();
    ZoRenderDevice::Instance().EndFrame();
    const Pixels frame = Frame();
    EXPECT_TRUE(Near(At(frame, 350, 270), 0x30C0C0FFu));
    EXPECT_TRUE(Near(At(frame, 449, 329), 0x30C0C0FFu));
    EXPECT_TRUE(Near(At(frame, 450, 300), 0x000000FFu));
    EXPECT_TRUE(Near(At(frame, 400, 330), 0x000000FFu));
}

TEST_F(TextureTest, MaskLevelsHalveTwice)
{
    Pixels pixels = Fill(64, 32, 0);
    FillRect(pixels, 64, 0, 0, 4, 4, 0xFFFFFFFFu); // top-left corner opaque
    const std::string tga = MakeTga(64, 32, pixels);
    auto levels = ZoImageData::BuildMasks(reinterpret_cast<const unsigned char*>(tga.data()), tga.size(), 64, 32);
    ASSERT_EQ(levels->size(), 3u);
    const std::int32_t widths[3] = {64, 32, 16};
    const std::int32_t heights[3] = {32, 16, 8};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ((*levels)[i].width, widths[i]);
        EXPECT_EQ((*levels)[i].height, heights[i]);
        EXPECT_EQ((*levels)[i].shift, i);
    }
    // Row 0 is the picture's top row although the file stores rows bottom-up.
    EXPECT_EQ((*levels)[0].Cell(0, 0), 1);
    EXPECT_EQ((*levels)[0].Cell(3, 3), 1);
    EXPECT_EQ((*levels)[0].Cell(4, 0), 0);
    EXPECT_EQ((*levels)[0].Cell(0, 31), 0);
    EXPECT_EQ((*levels)[1].Cell(1, 1), 1);
    EXPECT_EQ((*levels)[1].Cell(2, 0), 0);
    EXPECT_EQ((*levels)[2].Cell(0, 0), 1);
    EXPECT_EQ((*levels)[2].Cell(1, 0), 0);
}

TEST_F(TextureTest, MaskCellTakesTheLastSourceCellVisited)
{
    // 2x2 picture: only the bottom-right pixel is opaque, then only the top-left one.
    Pixels onlyLast = Fill(4, 4, 0);
    onlyLast[1 * 4 + 1] = 0xFFFFFFFFu;
    std::string tga = MakeTga(4, 4, onlyLast);
    auto levels = ZoImageData::BuildMasks(reinterpret_cast<const unsigned char*>(tga.data()), tga.size(), 4, 4);
    EXPECT_EQ((*levels)[1].Cell(0, 0), 1);
    Pixels onlyFirst = Fill(4, 4, 0);
    onlyFirst[0] = 0xFFFFFFFFu;
    tga = MakeTga(4, 4, onlyFirst);
    levels = ZoImageData::BuildMasks(reinterpret_cast<const unsigned char*>(tga.data()), tga.size(), 4, 4);
    EXPECT_EQ((*levels)[1].Cell(0, 0), 0);
}

TEST_F(TextureTest, MasksOfAShortOrOddFileStayInBounds)
{
    const std::string tga = MakeTga(5, 3, Fill(5, 3, 0xFFFFFFFFu));
    // Cut the file in the middle of its pixels: the missing ones read as transparent.
    auto levels = ZoImageData::BuildMasks(reinterpret_cast<const unsigned char*>(tga.data()), 18 + 4 * 7, 5, 3);
    ASSERT_EQ(levels->size(), 3u);
    EXPECT_EQ((*levels)[0].Cell(0, 2), 1); // bottom row, first pixels in the file
    EXPECT_EQ((*levels)[0].Cell(4, 0), 0); // top row, beyond the cut
    EXPECT_EQ((*levels)[1].width, 2);
    EXPECT_EQ((*levels)[1].height, 1);
    EXPECT_EQ((*levels)[2].width, 1);
    EXPECT_EQ((*levels)[2].height, 0);
}

TEST_F(TextureTest, ReloadAllTexturesKeepsCacheAndMasks)
{
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

TEST_F(TextureTest, LoadingAnotherNameLetsTheOldPictureGo)
{
    ZoImage image;
    image.Load("Test/Odd", false);
    ASSERT_NE(ZoImageCache::Instance().Find("Test/Odd"), nullptr);
    image.Load("Test/Quad", false);
    EXPECT_EQ(ZoImageCache::Instance().Find("Test/Odd"), nullptr);
    EXPECT_EQ(image.Width(), 64);
}
