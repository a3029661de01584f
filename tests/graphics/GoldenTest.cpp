// Golden images of sprite drawing, each also checked at a few pixels worked out by hand.
#include "PixelProbe.h"

#include "ZoBitmapFont.h"
#include "ZoBound.h"
#include "ZoClip.h"
#include "ZoRandom.h"
#include "ZoRenderDevice.h"

#include <gtest/gtest.h>

using namespace gfxtest;

namespace {

constexpr std::uint32_t kRed = 0xFF0000FFu;
constexpr std::uint32_t kGreen = 0x00FF00FFu;
constexpr std::uint32_t kBlue = 0x0000FFFFu;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0x000000FFu;
constexpr float kQuarterTurn = 1.5707963267948966f;

} // namespace

class GoldenTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureWorld();
        quad.Load("Test/Quad", false);
        quad.Animation().Setup(1, AnimNone, 1, 1);
        device.Invalidate();
        device.BeginFrame();
    }
    Pixels Finish() {
        EXPECT_TRUE(device.EndFrame());
        return Frame();
    }
    void DrawQuad(float x, float y, float scale = 1.0f, std::uint32_t flags = 0, float rotation = 0.0f) {
        quad.position = ZoVector(x, y, 0.0f);
        quad.scale = scale;
        quad.flags = flags;
        quad.rotation = rotation;
        quad.Draw();
    }
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    ZoClip quad;
};

TEST_F(GoldenTest, ScaleAndMirrorFlags) {
    DrawQuad(100, 100);
    DrawQuad(250, 100, 0.5f);
    DrawQuad(400, 100, 1.0f, ZoRenderDevice::kMirrorHorizontal);
    DrawQuad(550, 100, 1.0f, ZoRenderDevice::kMirrorVertical);
    DrawQuad(700, 100, 1.0f, ZoRenderDevice::kMirrorHorizontal | ZoRenderDevice::kMirrorVertical);
    DrawQuad(100, 300, 2.0f);
    const Pixels frame = Finish();
    ExpectPixels(frame, {{80, 80, kRed}, {120, 120, kWhite}});
    // Scale 0.5 of the 64x64 frame covers 32x32 pixels centred on (250, 100).
    ExpectPixels(frame, {{235, 85, kRed}, {265, 115, kWhite}, {231, 100, kBlack}, {268, 100, kBlack}});
    // Mirrored left to right, still over the same pixels.
    ExpectPixels(frame, {{380, 80, kGreen}, {420, 80, kRed}, {366, 100, kBlack}, {433, 100, kBlack}});
    // Upside down.
    ExpectPixels(frame, {{530, 80, kBlue}, {530, 120, kRed}});
    // Both.
    ExpectPixels(frame, {{680, 80, kWhite}, {720, 120, kRed}});
    // Scale 2 covers 128x128.
    ExpectPixels(frame, {{40, 240, kRed}, {160, 360, kWhite}});
    EXPECT_EQ(CompareGolden("scale_mirror"), "");
}

TEST_F(GoldenTest, RotationAboutTheCentreAndAboutAnOffsetCentre) {
    DrawQuad(100, 300, 1.0f, 0, kQuarterTurn);
    quad.rotationCentre = ZoVector(32.0f, 32.0f, 0.0f);
    DrawQuad(300, 300, 1.0f, 0, 2.0f * kQuarterTurn);
    quad.rotationCentre = ZoVector();
    DrawQuad(600, 300, 1.0f, ZoRenderDevice::kMirrorHorizontal, kQuarterTurn);
    const Pixels frame = Finish();
    // A quarter turn clockwise: red goes to the top right, blue to the top left.
    ExpectPixels(frame, {{120, 280, kRed}, {80, 280, kBlue}, {80, 320, kWhite}});
    // Half a turn about the bottom-right corner (332, 332): the picture lands on 332..396, upside down.
    ExpectPixels(frame, {{390, 390, kRed}, {340, 340, kWhite}, {300, 300, kBlack}});
    // Mirrored, then turned: the mirror moved the quad left of its rotation centre (664, 300), as the
    // sprite batch does, so the quarter turn lands it on 632..696 x 204..268 with green top right.
    ExpectPixels(frame, {{680, 220, kGreen}, {645, 255, kBlue}, {600, 300, kBlack}});
    EXPECT_EQ(CompareGolden("rotation"), "");
}

TEST_F(GoldenTest, TintAndAlphaModulation) {
    ZoImage background;
    background.Load("Test/Odd", false);
    background.position = ZoVector(200, 300, 0);
    background.Draw();
    quad.SetColour(255.0f, 128.0f, 0.0f, 255.0f);
    DrawQuad(500, 300);
    quad.SetColour(255.0f, 255.0f, 255.0f, 128.0f);
    DrawQuad(200, 300);
    const Pixels frame = Finish();
    // White tinted orange, red keeping its red and losing nothing else, green halved; the cyan
    // background (0x30C0C0) outside the quad.
    ExpectPixels(
        frame, {{520, 320, 0xFF8000FFu}, {480, 280, kRed}, {520, 280, 0x008000FFu}, {160, 275, 0x30C0C0FFu}});
    ExpectPixels(frame, {{180, 290, 0x976060FFu}}, 4); // half-transparent red over the background
    EXPECT_EQ(CompareGolden("tint_alpha"), "");
}

TEST_F(GoldenTest, DrawPartLandsWhereItLiesInTheWholePicture) {
    quad.position = ZoVector(400, 300, 0);
    quad.DrawPart(ZoRect{32, 0, 64, 32});
    quad.position = ZoVector(200, 300, 0);
    quad.ZoImage::Draw();
    const Pixels frame = Finish();
    // Only the green quarter of the part is drawn, not the red one beside it nor the row below.
    ExpectPixels(frame, {{410, 280, kGreen}, {390, 280, kBlack}, {410, 310, kBlack}});
    ExpectPixels(frame, {{170, 270, kRed}, {230, 330, kWhite}});
    EXPECT_EQ(CompareGolden("draw_part"), "");
}

TEST_F(GoldenTest, ClipFramesComeFromTheGrid) {
    ZoClip strip;
    strip.Load("Test/Strip", false);
    strip.Animation().Setup(400, AnimLoop, 4, 1);
    const std::uint32_t expected[4] = {0xFF4040FFu, 0x40FF40FFu, 0x4040FFFFu, 0xFFFF40FFu};
    for (int f = 0; f < 4; ++f) {
        strip.SetFrame(f);
        strip.position = ZoVector(100.0f + 150.0f * f, 300.0f, 0.0f);
        strip.Draw();
    }
    const Pixels frame = Finish();
    for (int f = 0; f < 4; ++f) {
        const int x = 100 + 150 * f;
        EXPECT_TRUE(Near(At(frame, x + 5, 305), expected[f])) << "frame " << f;
        EXPECT_TRUE(Near(At(frame, x - 14, 286), 0x202020FFu)) << "frame " << f; // its own corner mark
        EXPECT_TRUE(Near(At(frame, x + 20, 300), kBlack)) << "frame " << f;      // only 32 wide
    }
    EXPECT_EQ(CompareGolden("clip_frames"), "");
}

TEST_F(GoldenTest, EmitterParticlesWithASeededGenerator) {
    SystemRandom().Seed(12345);
    ZoBound sparks;
    sparks.Load("Test/Spark", false);
    sparks.Animation().Setup(512, AnimNone, 2, 2);
    sparks.emitterPosition = ZoVector(400.0f, 300.0f, 0.0f);
    sparks.lifetimeMin = 600;
    sparks.lifetimeMax = 900;
    sparks.velocityMin = ZoVector(-0.2f, -0.25f, 0.0f);
    sparks.velocityMax = ZoVector(0.2f, 0.05f, 0.0f);
    sparks.accelerationMin = ZoVector(0.0f, 0.0004f, 0.0f);
    sparks.accelerationMax = ZoVector(0.0f, 0.0006f, 0.0f);
    sparks.Emit(40);
    ASSERT_EQ(sparks.LiveCount(), 40);
    for (int i = 0; i < 40; ++i) {
        ZoParticle& p = sparks.Particle(i);
        p.colour[0] = 255.0f;
        p.colour[1] = 160.0f + static_cast<float>(i * 2);
        p.colour[2] = 60.0f;
        p.colour[3] = 255.0f;
        p.colourChange[3] = -0.1f;
        p.rotationSpeed = 0.002f;
    }
    for (int step = 0; step < 3; ++step) {
        sparks.Update(100);
    }
    sparks.Draw();
    const Pixels frame = Finish();
    int lit = 0;
    int outside = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if ((At(frame, x, y) & 0xFFFFFF00u) != 0) {
                ++lit;
                // Within 300 ms nothing gets further than about 75 pixels sideways plus a sprite.
                if (x < 300 || x > 500 || y < 200 || y > 400) {
                    ++outside;
                }
            }
        }
    }
    EXPECT_GT(lit, 500);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(CompareGolden("emitter"), "");
}

TEST_F(GoldenTest, TextInEachAlignment) {
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Mono"));
    font.SetColour(255.0f, 255.0f, 0.0f, 255.0f);
    font.DrawText(400, 100, "ABCD", ZoBitmapFont::kAlignRight);
    font.DrawText(400, 200, "ABCD", ZoBitmapFont::kAlignCentre);
    font.DrawText(400, 300, "ABCD", ZoBitmapFont::kAlignLeft);
    font.scale = 2.0f;
    font.DrawText(100, 450, "DCBA", ZoBitmapFont::kAlignLeft);
    const Pixels frame = Finish();
    const std::uint32_t yellow = 0xFFFF00FFu;
    // Width 4 x (16 + 2) = 72. Right: starts at 328; centred: at 364; left: at 400.
    ExpectPixels(frame, {{336, 100, yellow},
                         {326, 100, kBlack},
                         {372, 200, yellow},
                         {362, 200, kBlack},
                         {408, 300, yellow},
                         {398, 300, kBlack}});
    // The glyph's vertical centre is y: the A block spans rows 2..13 of 16, so y - 6 .. y + 5.
    ExpectPixels(frame, {{408, 294, yellow}, {408, 292, kBlack}});
    // B is a bar at the left of its cell: 2..5 of 16 pixels.
    ExpectPixels(frame, {{400 + 18 + 3, 300, yellow}, {400 + 18 + 9, 300, kBlack}});
    EXPECT_EQ(CompareGolden("text"), "");
}
