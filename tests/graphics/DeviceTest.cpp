// The render device's sprite placement, the identical-frame rule and device re-creation.
#include "PixelProbe.h"

#include "PlatformVideo.h"
#include "ZoClip.h"
#include "ZoRenderDevice.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace gfxtest;

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureWorld();
        quad.Load("Test/Quad", false);
        quad.Animation().Setup(1, AnimNone, 1, 1);
        texture = quad.Data()->Texture();
        ASSERT_NE(texture, 0u);
    }
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    ZoClip quad;
    ZoTexture texture = 0;
};

TEST_F(DeviceTest, SpriteRecordsFollowTheSpriteBatchPlacement) {
    device.BeginFrame();
    const ZoRect half{10, 20, 42, 52};
    const ZoRect whole{0, 0, 64, 64};
    ASSERT_TRUE(device.DrawSprite(&half, texture, &whole, 0, 0x80FF0000u, 0.5f, nullptr, 100.0f, 200.0f));
    const ZoRect mirrored{0, 0, 40, 40};
    const std::int32_t centre[2] = {3, 4};
    ASSERT_TRUE(device.DrawSprite(&mirrored, texture, &whole, ZoRenderDevice::kMirrorHorizontal, 0xFFFFFFFFu,
                                  0.0f, centre, 0.0f, 0.0f));
    const ZoRect wide{0, 0, 64, 32};
    ASSERT_TRUE(device.DrawSprite(nullptr, texture, &wide, 0, 0xFFFFFFFFu, 1.0f, nullptr, 0.0f, 0.0f));
    ASSERT_EQ(device.Batch().size(), 3u);

    const ZoSpriteRecord& scaled = device.Batch()[0];
    EXPECT_FLOAT_EQ(scaled.scaleX, 0.5f); // 32 of 64 pixels
    EXPECT_FLOAT_EQ(scaled.scaleY, 0.5f);
    EXPECT_FLOAT_EQ(scaled.x, 110.0f);
    EXPECT_FLOAT_EQ(scaled.y, 220.0f);
    EXPECT_FLOAT_EQ(scaled.centreX, 32.0f); // the source's centre when none is given
    EXPECT_EQ(scaled.colour, 0x80FF0000u);

    const ZoSpriteRecord& flipped = device.Batch()[1];
    EXPECT_FLOAT_EQ(flipped.scaleX, -40.0f / 64.0f);
    EXPECT_FLOAT_EQ(flipped.x, 40.0f); // moved back over the same 40 pixels
    EXPECT_FLOAT_EQ(flipped.centreX, 3.0f);
    EXPECT_FLOAT_EQ(flipped.centreY, 4.0f);

    const ZoSpriteRecord& turned = device.Batch()[2];
    EXPECT_FLOAT_EQ(turned.centreX, 32.0f);
    EXPECT_FLOAT_EQ(turned.centreY, 16.0f);
    EXPECT_FLOAT_EQ(turned.scaleX, 1.0f);
    device.EndFrame();
}

TEST_F(DeviceTest, DrawImageScalesOnlyWithBothRectanglesAndSkipsANullTexture) {
    device.BeginFrame();
    const ZoRect destination{5, 6, 37, 22};
    const ZoRect source{0, 0, 64, 32};
    EXPECT_FALSE(device.DrawSprite(&destination, 0, &source, 0, 0xFFFFFFFFu, 0.0f, nullptr, 0.0f, 0.0f));
    device.DrawImage(&destination, 0, &source, 0, 0.0f, 0.0f);
    EXPECT_TRUE(device.Batch().empty());
    device.DrawImage(&destination, texture, &source, 1234, 1.5f, 2.5f);
    device.DrawImage(&destination, texture, nullptr, 0, 1.0f, 1.0f);
    device.DrawImage(nullptr, texture, &source, 0, 50.0f, 50.0f);
    ASSERT_EQ(device.Batch().size(), 3u);
    EXPECT_FLOAT_EQ(device.Batch()[0].scaleX, 0.5f);
    EXPECT_FLOAT_EQ(device.Batch()[0].scaleY, 0.5f);
    EXPECT_FLOAT_EQ(device.Batch()[0].x, 6.5f);
    EXPECT_FLOAT_EQ(device.Batch()[0].y, 8.5f);
    EXPECT_EQ(device.Batch()[1].sourceWidth, 64); // the whole texture
    EXPECT_FLOAT_EQ(device.Batch()[1].scaleX, 1.0f);
    EXPECT_FLOAT_EQ(device.Batch()[2].x, 0.0f); // no destination: offsets are not used
    EXPECT_EQ(device.Batch()[2].colour, 0xFFFFFFFFu);
    device.EndFrame();
}

TEST_F(DeviceTest, IdenticalFrameIsNeitherRasterisedNorPresented) {
    auto drawScene = [&](float x) {
        device.BeginFrame();
        quad.position = ZoVector(x, 300.0f, 0.0f);
        quad.Draw();
        return device.EndFrame();
    };
    device.Invalidate();
    EXPECT_TRUE(drawScene(200.0f));
    const auto presented = device.PresentedFrames();
    const auto skipped = device.SkippedFrames();
    EXPECT_FALSE(drawScene(200.0f));
    EXPECT_FALSE(drawScene(200.0f));
    EXPECT_EQ(device.PresentedFrames(), presented);
    EXPECT_EQ(device.SkippedFrames(), skipped + 2);
    // One moved pixel is a different frame.
    EXPECT_TRUE(drawScene(201.0f));
    // A changed tint is a different frame too.
    device.BeginFrame();
    quad.alpha = 128.0f;
    quad.DrawFrame(quad.CurrentFrameRect());
    EXPECT_TRUE(device.EndFrame());
    quad.alpha = 255.0f;
}

TEST_F(DeviceTest, ResetEventsForceTheNextPresentAndUploadEveryTextureAgain) {
    auto drawQuad = [&] {
        device.BeginFrame();
        quad.position = ZoVector(100.0f, 100.0f, 0.0f);
        quad.Draw();
        return device.EndFrame();
    };
    drawQuad();
    for (const Uint32 type : {SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET}) {
        ASSERT_FALSE(drawQuad()) << "the same frame again is skipped";
        SDL_Event reset{};
        reset.type = type;
        SDL_PushEvent(&reset);
        SDL_FlushEvent(type);
        ASSERT_TRUE(drawQuad()) << type;
        const Pixels frame = Frame();
        EXPECT_TRUE(Near(At(frame, 70, 70), 0xFF0000FFu)) << type << " " << std::hex << At(frame, 70, 70);
        EXPECT_TRUE(Near(At(frame, 130, 130), 0xFFFFFFFFu)) << type;
    }
}

class RecordingHost : public ZoDeviceHost {
public:
    bool DestroyMainWindow() override {
        ++destroyed;
        PlatformVideo::Instance().CloseWindow();
        return true;
    }
    void CreateMainWindow() override {
        ++created;
        PlatformVideo::Instance().OpenWindow("Korrik Shooter", false);
    }
    int destroyed = 0;
    int created = 0;
};

TEST_F(DeviceTest, RecreateDeviceRebuildsWindowAndKeepsEveryPicture) {
    RecordingHost host;
    device.SetApplication(&host);
    device.RecreateDevice();
    device.SetApplication(nullptr);
    EXPECT_EQ(host.destroyed, 1);
    EXPECT_EQ(host.created, 1);
    ASSERT_TRUE(device.IsCreated());
    EXPECT_FALSE(PlatformVideo::Instance().IsWindowed());

    // The picture loaded before is drawn again without being requested anew.
    device.BeginFrame();
    quad.position = ZoVector(400.0f, 300.0f, 0.0f);
    quad.Draw();
    ASSERT_TRUE(device.EndFrame());
    const Pixels frame = Frame();
    ExpectPixels(frame, {{370, 270, 0xFF0000FFu}, {430, 270, 0x00FF00FFu}, {370, 330, 0x0000FFFFu}});
    EXPECT_EQ(texture, quad.Data()->Texture());

    // Back to a window for the other tests.
    PlatformVideo::Instance().RecreateWindow(true);
    ZoRenderDevice::Instance().Create();
}
