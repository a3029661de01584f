// The particle emitter: capacity, random set-up from the seeded generator, ageing and finishing.
#include "GraphicsTestSupport.h"

#include "ZoBound.h"
#include "ZoRandom.h"

#include <gtest/gtest.h>

using namespace gfxtest;

namespace {

ZoBound MakeEmitter() {
    ZoBound bound;
    bound.Animation().Setup(512, AnimNone, 16, 1);
    bound.lifetimeMin = 100;
    bound.lifetimeMax = 200;
    bound.velocityMin = ZoVector(-1.0f, -2.0f, 0.0f);
    bound.velocityMax = ZoVector(1.0f, 2.0f, 0.0f);
    bound.accelerationMin = ZoVector(0.0f, 0.01f, 0.0f);
    bound.accelerationMax = ZoVector(0.0f, 0.01f, 0.0f);
    bound.emitterPosition = ZoVector(10.0f, 20.0f, 0.0f);
    return bound;
}

} // namespace

TEST(BoundTest, EmitStopsAt512) {
    ZoBound bound = MakeEmitter();
    bound.Emit(600);
    EXPECT_EQ(bound.LiveCount(), 512);
    bound.Emit(5);
    EXPECT_EQ(bound.LiveCount(), 512);
}

TEST(BoundTest, EmitDrawsLifetimeThenVelocityZyxThenAccelerationFromTheSystemGenerator) {
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
    EXPECT_EQ(p.remainingLifetime, lifetime);
    EXPECT_EQ(p.initialLifetime, lifetime);
    EXPECT_FLOAT_EQ(p.velocity.x, vx);
    EXPECT_FLOAT_EQ(p.velocity.y, vy);
    EXPECT_FLOAT_EQ(p.acceleration.y, 0.01f);
    EXPECT_EQ(p.position, ZoVector(10.0f, 20.0f, 0.0f));
    // Three more draws for the acceleration.
    for (int i = 0; i < 3; ++i) {
        mirror.Next();
    }
    EXPECT_EQ(SystemRandom().State(), mirror.State());
}

TEST(BoundTest, UpdateMovesAgesAndRunsThroughTheFrames) {
    ZoBound bound = MakeEmitter();
    bound.lifetimeMin = bound.lifetimeMax = 160;
    bound.Emit(1);
    ZoParticle& p = bound.Particle(0);
    p.velocity = ZoVector(1.0f, 0.0f, 0.0f);
    p.acceleration = ZoVector(0.0f, 0.01f, 0.0f);
    p.colour[3] = 5.0f;
    p.colourChange[3] = -0.2f;
    p.rotationSpeed = 0.5f;
    bound.Update(40);
    EXPECT_FLOAT_EQ(p.position.x, 50.0f); // position first, with the old velocity
    EXPECT_FLOAT_EQ(p.position.y, 20.0f);
    EXPECT_FLOAT_EQ(p.velocity.y, 0.4f); // then the velocity
    EXPECT_EQ(p.remainingLifetime, 120);
    EXPECT_FLOAT_EQ(p.colour[3], 0.0f); // alpha never below zero
    EXPECT_FLOAT_EQ(p.rotation, 20.0f);
    EXPECT_EQ(p.frame, 16 - (16 * 120) / 160); // 4
}

TEST(BoundTest, FinishesInTheUpdateThatRemovesTheLastParticle) {
    ZoBound bound = MakeEmitter();
    bound.lifetimeMin = bound.lifetimeMax = 100;
    bound.Emit(3);
    bound.Update(100); // all three reach zero
    EXPECT_EQ(bound.LiveCount(), 3);
    EXPECT_EQ(bound.state, 0);
    // Each pass removes a dead one and skips the one moved into its place.
    bound.Update(10);
    EXPECT_EQ(bound.LiveCount(), 1);
    EXPECT_EQ(bound.state, 0);
    bound.Update(10);
    EXPECT_EQ(bound.LiveCount(), 0);
    EXPECT_EQ(bound.state, 2);

    ZoBound endless = MakeEmitter();
    endless.continuous = 1;
    endless.lifetimeMin = endless.lifetimeMax = 10;
    endless.Emit(2);
    for (int i = 0; i < 3; ++i) {
        endless.Update(10);
    }
    EXPECT_EQ(endless.LiveCount(), 0);
    EXPECT_EQ(endless.state, 0);
}

TEST(BoundTest, DeadParticleIsReplacedByTheLastLiveOne) {
    ZoBound bound = MakeEmitter();
    bound.Emit(3);
    bound.Particle(0).remainingLifetime = 0;
    bound.Particle(2).remainingLifetime = 77;
    bound.Particle(2).position = ZoVector(1.0f, 2.0f, 3.0f);
    bound.Update(5);
    ASSERT_EQ(bound.LiveCount(), 2);
    // The moved particle is not updated in the pass that moved it.
    EXPECT_EQ(bound.Particle(0).remainingLifetime, 77);
    EXPECT_EQ(bound.Particle(0).position, ZoVector(1.0f, 2.0f, 3.0f));
}

TEST(BoundTest, CopyTakesTheSetUpButNoParticles) {
    ZoBound prototype = MakeEmitter();
    prototype.continuous = 1;
    prototype.Emit(10);
    ZoBound copy(prototype);
    EXPECT_EQ(copy.LiveCount(), 0);
    EXPECT_EQ(copy.emitterPosition, ZoVector());
    EXPECT_EQ(copy.lifetimeMax, 200);
    EXPECT_EQ(copy.velocityMin, ZoVector(-1.0f, -2.0f, 0.0f));
    EXPECT_EQ(copy.continuous, 1);
}

TEST(BoundTest, DrawsEveryLiveParticleAndNothingOnceFinished) {
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
    EXPECT_EQ(device.Batch().size(), 5u);
    EXPECT_EQ(device.Batch()[3].sourceLeft, 16); // frame 3: column 1, row 1
    EXPECT_EQ(device.Batch()[3].sourceTop, 16);
    bound.state = 2;
    device.BeginFrame();
    bound.Draw();
    EXPECT_TRUE(device.Batch().empty());
    device.EndFrame();
}
