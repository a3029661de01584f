// Clip animation timing (once, loop, ping-pong), frame rectangles and mask hit tests.
#include "GraphicsTestSupport.h"

#include "ZoClip.h"

#include <gtest/gtest.h>

using namespace gfxtest;

TEST(AnimationTest, OnceAdvancesOneFramePerUpdateAndStopsOnTheLast)
{
    ZoAnimation animation;
    animation.Setup(400, AnimOnce, 4, 1);
    EXPECT_EQ(animation.frameDuration, 100);
    EXPECT_FALSE(animation.finished);
    for (int expected = 1; expected <= 3; ++expected) {
        animation.Update(150); // the 50 ms beyond the frame duration are dropped
        EXPECT_EQ(animation.currentFrame, expected);
        EXPECT_FALSE(animation.finished);
    }
    animation.Update(150);
    EXPECT_TRUE(animation.finished);
    EXPECT_EQ(animation.currentFrame, 3);
    animation.Update(1000);
    EXPECT_EQ(animation.currentFrame, 3);
}

TEST(AnimationTest, AStepNeedsMoreThanTheFrameDuration)
{
    ZoAnimation animation;
    animation.Setup(400, AnimLoop, 4, 1);
    animation.Update(100);
    EXPECT_EQ(animation.currentFrame, 0);
    animation.Update(1);
    EXPECT_EQ(animation.currentFrame, 1);
    EXPECT_EQ(animation.elapsed, 0);
}

TEST(AnimationTest, LoopWrapsToTheFirstFrame)
{
    ZoAnimation animation;
    animation.Setup(300, AnimLoop, 3, 1);
    const int expected[] = {1, 2, 0, 1, 2, 0};
    for (int frame : expected) {
        animation.Update(101);
        EXPECT_EQ(animation.currentFrame, frame);
    }
    animation.Update(0); // no time, no step
    EXPECT_EQ(animation.currentFrame, 0);
    EXPECT_EQ(animation.previousFrame, 0);
}

TEST(AnimationTest, PingPongShowsTheFirstFrameTwiceAtTheTurn)
{
    ZoAnimation animation;
    animation.Setup(300, AnimPingPong, 3, 1);
    EXPECT_EQ(animation.sequence, (std::vector<std::int32_t>{0, 1, 2, 1, 0}));
    std::vector<std::int32_t> shown{animation.currentFrame};
    for (int i = 0; i < 7; ++i) {
        animation.Update(101);
        shown.push_back(animation.currentFrame);
    }
    EXPECT_EQ(shown, (std::vector<std::int32_t>{0, 1, 2, 1, 0, 0, 1, 2}));
}

TEST(AnimationTest, CopyKeepsSetupButStartsAgain)
{
    ZoClip clip;
    clip.Animation().Setup(400, AnimOnce, 4, 1);
    clip.Animation().Update(150);
    clip.Animation().Update(150);
    clip.state = 2;
    clip.copiedValue = 7;
    clip.clipValue = 9;
    clip.scale = 3.0f;
    clip.alpha = 10.0f;
    ZoClip copy(clip);
    EXPECT_EQ(copy.Animation().currentFrame, 0);
    EXPECT_EQ(copy.Animation().frameCount, 4);
    EXPECT_EQ(copy.Animation().mode, AnimOnce);
    EXPECT_FALSE(copy.Animation().finished);
    EXPECT_EQ(copy.state, 0);
    EXPECT_EQ(copy.copiedValue, 7);
    EXPECT_EQ(copy.clipValue, 0);
    EXPECT_FLOAT_EQ(copy.scale, 1.0f);
    EXPECT_FLOAT_EQ(copy.alpha, 10.0f);
    std::unique_ptr<ZoClip> clone = clip.Clone();
    EXPECT_EQ(clone->Animation().frameCount, 4);
}

TEST(AnimationTest, RestartOnlyAfterTheLastFrame)
{
    ZoClip clip;
    clip.Animation().Setup(400, AnimOnce, 4, 1);
    clip.Update(150);
    clip.Restart();
    EXPECT_EQ(clip.Animation().currentFrame, 1);
    for (int i = 0; i < 4; ++i) {
        clip.Update(150);
    }
    ASSERT_TRUE(clip.Animation().finished);
    clip.Restart();
    EXPECT_FALSE(clip.Animation().finished);
    EXPECT_EQ(clip.Animation().currentFrame, 0);
}

class ClipTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureWorld(); }
};

TEST_F(ClipTest, FrameRectanglesFollowTheGrid)
{
    ZoClip clip;
    clip.Load("Test/Strip", false);
    clip.Animation().Setup(400, AnimNone, 2, 2);
    clip.SetFrame(3);
    EXPECT_TRUE(clip.frameSet);
    FrameRect rect = clip.CurrentFrameRect();
    EXPECT_EQ(rect.width, 64);
    EXPECT_EQ(rect.height, 16);
    EXPECT_EQ(rect.left, 64);
    EXPECT_EQ(rect.top, 16);
    EXPECT_EQ(clip.FrameHeight(), 16);
    // One past the last frame (a particle's last moments) shows the last frame, inside the picture.
    clip.SetFrame(4);
    rect = clip.CurrentFrameRect();
    EXPECT_EQ(rect.left, 64);
    EXPECT_EQ(rect.top, 16);
    clip.ClearFrameSet();
    EXPECT_FALSE(clip.frameSet);
}

TEST_F(ClipTest, DrawFrameAtHalfScaleCoversHalfTheSizeCentred)
{
    ZoClip clip;
    clip.Load("Test/Quad", false);
    clip.Animation().Setup(1, AnimNone, 1, 1);
    clip.position = ZoVector(300.0f, 200.0f, 0.0f);
    clip.scale = 0.5f;
    ZoRenderDevice::Instance().BeginFrame();
    clip.Draw();
    ASSERT_EQ(ZoRenderDevice::Instance().Batch().size(), 1u);
    const ZoSpriteRecord record = ZoRenderDevice::Instance().Batch()[0];
    ZoRenderDevice::Instance().EndFrame();
    EXPECT_FLOAT_EQ(record.x, 284.0f);
    EXPECT_FLOAT_EQ(record.y, 184.0f);
    EXPECT_FLOAT_EQ(record.scaleX * static_cast<float>(record.sourceWidth), 32.0f);
    EXPECT_FLOAT_EQ(record.scaleY * static_cast<float>(record.sourceHeight), 32.0f);
}

TEST_F(ClipTest, HitTestAtEachMaskLevel)
{
    ZoClip disc;
    disc.Load("Test/Disc", true);
    disc.Animation().Setup(1, AnimNone, 1, 1);
    disc.position = ZoVector(100.0f, 100.0f, 0.0f);
    for (int level = 0; level <= 2; ++level) {
        EXPECT_TRUE(disc.HitTest(ZoVector(100.0f, 100.0f, 0.0f), level)) << level;
        EXPECT_TRUE(disc.HitTest(ZoVector(115.0f, 85.0f, 0.0f), level)) << level;
        EXPECT_FALSE(disc.HitTest(ZoVector(60.0f, 100.0f, 0.0f), level)) << level; // left of the picture
        EXPECT_FALSE(disc.HitTest(ZoVector(70.0f, 70.0f, 0.0f), level)) << level;  // transparent corner
    }
    // Off the screen is never a hit.
    disc.position = ZoVector(0.0f, 0.0f, 0.0f);
    EXPECT_FALSE(disc.HitTest(ZoVector(-1.0f, 0.0f, 0.0f), 0));
    // Level 2 reads cell (8, 8) of the 16x16 mask for the centre point.
    const ZoBitMask& quarter = (*disc.Data()->MaskLevels())[2];
    EXPECT_EQ(quarter.width, 16);
    EXPECT_EQ(quarter.Cell(8, 8), 1);
}

TEST_F(ClipTest, HitTestWithoutMasksIsAMiss)
{
    ZoClip plain;
    plain.Load("Test/Spark", false);
    plain.Animation().Setup(1, AnimNone, 2, 2);
    plain.position = ZoVector(50.0f, 50.0f, 0.0f);
    EXPECT_FALSE(plain.HitTest(ZoVector(50.0f, 50.0f, 0.0f), 0));
    EXPECT_FALSE(plain.HitTest(ZoVector(50.0f, 50.0f, 0.0f), 3));
}

TEST_F(ClipTest, MasksAreBuiltWhenASharedPictureIsLaterLoadedWithThem)
{
    ZoClip plain;
    plain.Load("Test/Disc", false);
    ASSERT_EQ(plain.Data()->MaskLevels(), nullptr);
    ZoClip button;
    button.Load("Test/Disc", true);
    button.Animation().Setup(1, AnimNone, 1, 1);
    button.position = ZoVector(200.0f, 200.0f, 0.0f);
    EXPECT_EQ(button.Data(), plain.Data());
    EXPECT_TRUE(button.HitTest(ZoVector(200.0f, 200.0f, 0.0f), 2));
}
