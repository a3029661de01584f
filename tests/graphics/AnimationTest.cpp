// Clip animation (once, loop, ping-pong), frame rectangles, mask hit tests and the particle emitter.
#include "GraphicsTestSupport.h"

#include "ZoBound.h"
#include "ZoClip.h"
#include "ZoRandom.h"

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
        {"ping-pong shows the first frame twice at the turn", AnimPingPong, 300, 3, 101, {1, 2, 1, 0, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        ZoClip clip;
        clip.Animation().Setup(c.total, c.mode, c.frames, 1);
        std::vector<std::int32_t> shown;
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            clip.Update(c.step);
            shown.push_back(clip.Animation().currentFrame);
            if (c.mode == AnimOnce) {
                EXPECT_EQ(clip.Animation().finished, i >= 3) << "after update " << i;
            }
        }
        EXPECT_EQ(shown, c.shown) << c.what;
        if (c.mode == AnimOnce) { // Restart only after the last frame; a copy starts again too
            ZoClip copy(clip);
            EXPECT_EQ(std::make_tuple(copy.Animation().currentFrame, copy.Animation().finished), std::make_tuple(0, false));
            clip.Restart();
            EXPECT_EQ(std::make_tuple(clip.Animation().currentFrame, clip.Animation().finished), std::make_tuple(0, false));
            clip.Update(c.step);
            clip.Restart();
            EXPECT_EQ(clip.Animation().currentFrame, 1);
        }
    }
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
    const FrameRect rect = clip.CurrentFrameRect();
    EXPECT_EQ(std::make_tuple(rect.width, rect.height, rect.left, rect.top), std::make_tuple(64, 16, 64, 16));
    // One past the last frame (a particle's last moments) shows the last frame, inside the picture.
    clip.SetFrame(4);
    EXPECT_EQ(std::make_tuple(clip.CurrentFrameRect().left, clip.CurrentFrameRect().top), std::make_tuple(64, 16));
}

TEST_F(ClipTest, HitTestAtEachMaskLevelAlsoWhenMasksComeWithALaterHolder) {
    ZoClip plain;
    plain.Load("Test/Disc", false);
    plain.Animation().Setup(1, AnimNone, 1, 1);
    plain.position = ZoVector(100.0f, 100.0f, 0.0f);
    EXPECT_FALSE(plain.HitTest(ZoVector(100.0f, 100.0f, 0.0f), 0)); // no masks: never a hit
    ZoClip disc;
    disc.Load("Test/Disc", true); // the shared picture gets its masks now
    disc.Animation().Setup(1, AnimNone, 1, 1);
    disc.position = ZoVector(100.0f, 100.0f, 0.0f);
    for (int level = 0; level <= 2; ++level) {
        EXPECT_TRUE(disc.HitTest(ZoVector(100.0f, 100.0f, 0.0f), level)) << level;
        EXPECT_TRUE(disc.HitTest(ZoVector(115.0f, 85.0f, 0.0f), level)) << level;
        EXPECT_FALSE(disc.HitTest(ZoVector(60.0f, 100.0f, 0.0f), level)) << level; // left of the picture
        EXPECT_FALSE(disc.HitTest(ZoVector(70.0f, 70.0f, 0.0f), level)) << level;  // transparent corner
    }
    EXPECT_TRUE(plain.HitTest(ZoVector(100.0f, 100.0f, 0.0f), 2));
    EXPECT_FALSE(disc.HitTest(ZoVector(100.0f, 100.0f, 0.0f), 3));
    disc.position = ZoVector(0.0f, 0.0f, 0.0f);
    EXPECT_FALSE(disc.HitTest(ZoVector(-1.0f, 0.0f, 0.0f), 0)); // off the screen is never a hit
}

namespace {

ZoBound MakeEmitter(int lifetimeMin = 100, int lifetimeMax = 200) {
    ZoBound bound;
    bound.Animation().Setup(512, AnimNone, 16, 1);
    bound.lifetimeMin = lifetimeMin;
    bound.lifetimeMax = lifetimeMax;
    bound.velocityMin = ZoVector(-1.0f, -2.0f, 0.0f);
    bound.velocityMax = ZoVector(1.0f, 2.0f, 0.0f);
    bound.accelerationMin = bound.accelerationMax = ZoVector(0.0f, 0.01f, 0.0f);
    bound.emitterPosition = ZoVector(10.0f, 20.0f, 0.0f);
    return bound;
}

} // namespace

TEST(BoundTest, EmitDrawsLifetimeThenVelocityZyxThenAccelerationAndStopsAt512) {
    ZoBound bound = MakeEmitter();
    SystemRandom().Seed(42);
    ZoRandom mirror;
    mirror.Seed(42);
    bound.Emit(1);
    const ZoParticle& p = bound.Particle(0);
    const int lifetime = 100 + mirror.Next() % 101;
    mirror.Next(); // z first: its range is empty
    const float vy = -2.0f + 4.0f * static_cast<float>(mirror.Next() / 32767.0);
    const float vx = -1.0f + 2.0f * static_cast<float>(mirror.Next() / 32767.0);
    EXPECT_EQ(std::make_tuple(p.remainingLifetime, p.initialLifetime), std::make_tuple(lifetime, lifetime));
    EXPECT_FLOAT_EQ(p.velocity.x, vx);
    EXPECT_FLOAT_EQ(p.velocity.y, vy);
    EXPECT_EQ(p.position, ZoVector(10.0f, 20.0f, 0.0f));
    for (int i = 0; i < 3; ++i)
        mirror.Next(); // the acceleration
    EXPECT_EQ(SystemRandom().State(), mirror.State());
    bound.Emit(600);
    EXPECT_EQ(bound.LiveCount(), 512);
    ZoBound copy(bound); // the set-up, no particles
    EXPECT_EQ(std::make_tuple(copy.LiveCount(), copy.lifetimeMax), std::make_tuple(0, 200));
}

TEST(BoundTest, UpdateMovesAgesAndRunsThroughTheFrames) {
    ZoBound bound = MakeEmitter(160, 160);
    bound.Emit(1);
    ZoParticle& p = bound.Particle(0);
    p.velocity = ZoVector(1.0f, 0.0f, 0.0f);
    p.colour[3] = 5.0f;
    p.colourChange[3] = -0.2f;
    p.rotationSpeed = 0.5f;
    bound.Update(40);
    EXPECT_EQ(p.position, ZoVector(50.0f, 20.0f, 0.0f)); // position first, with the old velocity
    EXPECT_FLOAT_EQ(p.velocity.y, 0.4f);
    EXPECT_EQ(p.remainingLifetime, 120);
    EXPECT_FLOAT_EQ(p.colour[3], 0.0f); // alpha never below zero
    EXPECT_FLOAT_EQ(p.rotation, 20.0f);
    EXPECT_EQ(p.frame, 16 - (16 * 120) / 160);
}

TEST(BoundTest, DeadParticlesGiveWayToTheLastAndTheEmitterFinishesWithTheLastOne) {
    ZoBound bound = MakeEmitter(100, 100);
    bound.Emit(3);
    bound.Particle(1).remainingLifetime = 0;
    bound.Particle(2).position = ZoVector(1.0f, 2.0f, 3.0f);
    bound.Update(5);
    ASSERT_EQ(bound.LiveCount(), 2);
    // The moved particle is not updated in the pass that moved it.
    EXPECT_EQ(bound.Particle(1).position, ZoVector(1.0f, 2.0f, 3.0f));
    bound.Update(100); // both reach zero
    EXPECT_EQ(std::make_tuple(bound.LiveCount(), bound.state), std::make_tuple(2, 0));
    bound.Update(10);
    EXPECT_EQ(std::make_tuple(bound.LiveCount(), bound.state), std::make_tuple(1, 0));
    bound.Update(10);
    EXPECT_EQ(std::make_tuple(bound.LiveCount(), bound.state), std::make_tuple(0, 2));

    ZoBound endless = MakeEmitter(10, 10);
    endless.continuous = 1;
    endless.Emit(2);
    for (int i = 0; i < 3; ++i)
        endless.Update(10);
    EXPECT_EQ(std::make_tuple(endless.LiveCount(), endless.state), std::make_tuple(0, 0));
}

TEST(BoundTest, DrawsEveryLiveParticleInItsFrameAndNothingOnceFinished) {
    EnsureWorld();
    ZoBound bound = MakeEmitter();
    bound.Load("Test/Spark", false);
    bound.Animation().Setup(512, AnimNone, 2, 2);
    bound.Emit(5);
    for (int i = 0; i < 5; ++i) {
        bound.Particle(i).colour[3] = 255.0f;
        bound.Particle(i).frame = i % 4;
    }
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.BeginFrame();
    bound.Draw();
    ASSERT_EQ(device.Batch().size(), 5u);
    EXPECT_EQ(std::make_tuple(device.Batch()[3].sourceLeft, device.Batch()[3].sourceTop), std::make_tuple(16, 16));
    bound.state = 2;
    device.BeginFrame();
    bound.Draw();
    EXPECT_TRUE(device.Batch().empty());
    device.EndFrame();
}
