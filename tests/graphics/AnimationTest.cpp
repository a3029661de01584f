// Clip animation timing (once, loop, ping-pong), frame rectangles and mask hit tests.
#include "GraphicsTestSupport.h"

#include "ZoClip.h"

#include <gtest/gtest.h>

using namespace gfxtest;

TEST(AnimationTest, FramesShownStepByStepInEachMode) {
    struct Case {
        const char* what;
        ZoAnimMode mode;
        int total, frames, step;
        std::vector<std::int32_t> shown; // the frame after each update
    } const cases[] = {
        // Time beyond the frame duration is dropped, and a step needs more than the duration.
        {"once stops on the last", AnimOnce, 400, 4, 150, {1, 2, 3, 3, 3}},
        {"exactly the duration is no step", AnimLoop, 400, 4, 100, {0}},
        {"loop wraps", AnimLoop, 300, 3, 101, {1, 2, 0, 1, 2, 0}},
        {"ping-pong shows the first frame twice at the turn",
         AnimPingPong,
         300,
         3,
         101,
         {1, 2, 1, 0, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        ZoAnimation animation;
        animation.Setup(c.total, c.mode, c.frames, 1);
        EXPECT_EQ(animation.frameDuration, c.total / c.frames) << c.what;
        std::vector<std::int32_t> shown;
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            animation.Update(c.step);
            shown.push_back(animation.currentFrame);
            if (c.mode == AnimOnce) {
                EXPECT_EQ(animation.finished, i >= 3) << "after update " << i;
            }
        }
        EXPECT_EQ(shown, c.shown) << c.what;
    }
    ZoAnimation animation;
    animation.Setup(300, AnimPingPong, 3, 1);
    EXPECT_EQ(animation.sequence, (std::vector<std::int32_t>{0, 1, 2, 1, 0}));
    animation.Setup(400, AnimLoop, 4, 1);
    animation.Update(100);
    animation.Update(1); // the 101st millisecond steps and starts the next frame afresh
    EXPECT_EQ(animation.currentFrame, 1);
    EXPECT_EQ(animation.elapsed, 0);
    animation.Update(0); // no time, no step
    EXPECT_EQ(animation.currentFrame, 1);
    EXPECT_EQ(animation.previousFrame, 1);
}

TEST(AnimationTest, CopyKeepsSetupButStartsAgain) {
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

TEST(AnimationTest, RestartOnlyAfterTheLastFrame) {
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

TEST_F(ClipTest, FrameRectanglesFollowTheGrid) {
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

TEST_F(ClipTest, HitTestAtEachMaskLevel) {
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

TEST_F(ClipTest, MasksAreBuiltWhenASharedPictureIsLaterLoadedWithThem) {
    ZoClip plain;
    plain.Load("Test/Disc", false);
    plain.Animation().Setup(1, AnimNone, 1, 1);
    plain.position = ZoVector(200.0f, 200.0f, 0.0f);
    ASSERT_EQ(plain.Data()->MaskLevels(), nullptr);
    // Without masks a hit test is a miss, at any level.
    EXPECT_FALSE(plain.HitTest(ZoVector(200.0f, 200.0f, 0.0f), 0));
    EXPECT_FALSE(plain.HitTest(ZoVector(200.0f, 200.0f, 0.0f), 3));
    ZoClip button;
    button.Load("Test/Disc", true);
    button.Animation().Setup(1, AnimNone, 1, 1);
    button.position = ZoVector(200.0f, 200.0f, 0.0f);
    EXPECT_EQ(button.Data(), plain.Data());
    EXPECT_TRUE(button.HitTest(ZoVector(200.0f, 200.0f, 0.0f), 2));
}
