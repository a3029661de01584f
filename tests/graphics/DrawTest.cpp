// Drawing: sprite placement in golden images, and frames redrawn only where they changed, on both
// video paths and at every window scale, pixel for pixel the same as frames drawn whole.
#include "GraphicsTestSupport.h"

#include "PlatformVideo.h"
#include "ZoBitmapFont.h"
#include "ZoClip.h"
#include "ZoRenderDevice.h"

#include <SDL.h>

#include <cstdlib>
#include <functional>

using namespace gfxtest;

namespace {

constexpr std::uint32_t kRed = 0xFF0000FFu, kGreen = 0x00FF00FFu, kBlue = 0x0000FFFFu, kWhite = 0xFFFFFFFFu,
                        kBlack = 0x000000FFu;
constexpr float kQuarterTurn = 1.5707963267948966f;

ZoClip Picture(const char* name, int columns = 1, int rows = 1) {
    ZoClip clip;
    clip.Load(name, false);
    clip.Animation().Setup(400, AnimNone, columns, rows);
    return clip;
}

void Place(ZoClip& clip, float x, float y, float scale = 1.0f, std::uint32_t flags = 0, float rotation = 0.0f) {
    clip.position = ZoVector(x, y, 0.0f);
    clip.scale = scale;
    clip.flags = flags;
    clip.rotation = rotation;
    clip.Draw();
}

} // namespace

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureWorld();
        quad.Load("Test/Quad", false);
        quad.Animation().Setup(1, AnimNone, 1, 1);
        ASSERT_NE(quad.Data()->Texture(), 0u);
    }
    // One frame drawn by `scene`; whole when asked, else only where it differs from the last one.
    bool Draw(const std::function<void()>& scene, bool whole = true) {
        if (whole)
            device.Invalidate();
        device.BeginFrame();
        scene();
        return device.EndFrame();
    }
    // A fresh window (and renderer) on the path named, windowed or full screen.
    static void Reopen(const char* path, bool windowed) {
        setenv(PlatformVideo::kPathVariable, path, 1);
        PlatformVideo::Instance().CloseWindow();
        PlatformVideo::Instance().OpenWindow("Korrik Shooter", windowed);
        ZoRenderDevice::Instance().Create();
        unsetenv(PlatformVideo::kPathVariable);
    }
    static void TearDownTestSuite() { Reopen("software", true); }

    ZoRenderDevice& device = ZoRenderDevice::Instance();
    PlatformVideo& video = PlatformVideo::Instance();
    ZoClip quad;
};

// Each scene is a golden image and a few pixels worked out by hand.
TEST_F(DrawTest, GoldenScenes) {
    ZoClip strip = Picture("Test/Strip", 4, 1);
    ZoImage odd;
    odd.Load("Test/Odd", false);
    ZoBitmapFont font;
    ASSERT_TRUE(font.LoadFont("Mono"));
    font.SetColour(255.0f, 255.0f, 0.0f, 255.0f);
    const std::uint32_t yellow = 0xFFFF00FFu;
    const std::uint32_t stripColours[4] = {0xFF4040FFu, 0x40FF40FFu, 0x4040FFFFu, 0xFFFF40FFu};
    struct Scene {
        const char* golden;
        std::function<void()> draw;
        std::vector<Probe> probes;
    } const scenes[] = {
        {"scale_mirror",
         [&] {
             Place(quad, 100, 100);
             Place(quad, 250, 100, 0.5f);
             Place(quad, 400, 100, 1.0f, ZoRenderDevice::kMirrorHorizontal);
             Place(quad, 550, 100, 1.0f, ZoRenderDevice::kMirrorVertical);
             Place(quad, 700, 100, 1.0f, ZoRenderDevice::kMirrorHorizontal | ZoRenderDevice::kMirrorVertical);
             Place(quad, 100, 300, 2.0f);
         },
         // Half size covers 32x32 centred; mirrors stay over the same pixels; double size covers 128x128.
         {{80, 80, kRed}, {235, 85, kRed}, {268, 100, kBlack}, {380, 80, kGreen}, {366, 100, kBlack},
          {530, 80, kBlue}, {680, 80, kWhite}, {40, 240, kRed}, {160, 360, kWhite}}},
        {"rotation",
         [&] {
             Place(quad, 100, 300, 1.0f, 0, kQuarterTurn);
             quad.rotationCentre = ZoVector(32.0f, 32.0f, 0.0f);
             Place(quad, 300, 300, 1.0f, 0, 2.0f * kQuarterTurn);
             quad.rotationCentre = ZoVector();
             Place(quad, 600, 300, 1.0f, ZoRenderDevice::kMirrorHorizontal, kQuarterTurn);
         },
         // Clockwise quarter turn; half a turn about the bottom-right corner (332, 332) lands on 332..396;
         // mirrored then turned: the mirror moved the quad left of its centre (664, 300), as the sprite
         // batch does, so it lands on 632..696 x 204..268 with green top right.
         {{120, 280, kRed}, {80, 280, kBlue}, {390, 390, kRed}, {340, 340, kWhite}, {680, 220, kGreen},
          {645, 255, kBlue}}},
        {"tint_alpha",
         [&] {
             odd.position = ZoVector(200, 300, 0);
             odd.Draw();
             quad.SetColour(255.0f, 128.0f, 0.0f, 255.0f);
             Place(quad, 500, 300);
             quad.SetColour(255.0f, 255.0f, 255.0f, 128.0f);
             Place(quad, 200, 300);
             quad.SetColour(255.0f, 255.0f, 255.0f, 255.0f);
         },
         // White tinted orange, red kept, green halved; half-transparent red over the cyan picture.
         {{520, 320, 0xFF8000FFu}, {480, 280, kRed}, {520, 280, 0x008000FFu}, {160, 275, 0x30C0C0FFu},
          {180, 290, 0x976060FFu}}},
        {"draw_part",
         [&] {
             quad.position = ZoVector(400, 300, 0);
             quad.DrawPart(ZoRect{32, 0, 64, 32}); // lands where it lies in the whole picture
             quad.position = ZoVector(200, 300, 0);
             quad.ZoImage::Draw();
         },
         {{410, 280, kGreen}, {390, 280, kBlack}, {410, 310, kBlack}, {170, 270, kRed}, {230, 330, kWhite}}},
        {"clip_frames",
         [&] {
             for (int f = 0; f < 4; ++f) {
                 strip.SetFrame(f);
                 Place(strip, 100.0f + 150.0f * f, 300.0f);
             }
         },
         // Each frame its own colour and corner mark, 32 pixels wide.
         {{105, 305, stripColours[0]}, {255, 305, stripColours[1]}, {405, 305, stripColours[2]},
          {555, 305, stripColours[3]}, {386, 286, 0x202020FFu}, {420, 300, kBlack}}},
        {"text",
         [&] {
             font.DrawText(400, 100, "ABCD", ZoBitmapFont::kAlignRight);
             font.DrawText(400, 200, "ABCD", ZoBitmapFont::kAlignCentre);
             font.DrawText(400, 300, "ABCD", ZoBitmapFont::kAlignLeft);
             font.scale = 2.0f;
             font.DrawText(100, 450, "DCBA", ZoBitmapFont::kAlignLeft);
             font.scale = 1.0f;
         },
         // Width 4 x (16 + 2) = 72: right-aligned text starts at 328, centred at 364, left at 400; the A
         // block spans rows y - 6 .. y + 5, B is a bar at the left of its cell.
         {{336, 100, yellow}, {326, 100, kBlack}, {372, 200, yellow}, {362, 200, kBlack}, {408, 300, yellow},
          {398, 300, kBlack}, {408, 294, yellow}, {408, 292, kBlack}, {421, 300, yellow}, {427, 300, kBlack}}},
    };
    for (const Scene& scene : scenes) {
        ASSERT_TRUE(Draw(scene.draw)) << scene.golden;
        ExpectPixels(Frame(), scene.probes, 4);
        EXPECT_EQ(CompareGolden(scene.golden), "");
    }
}

// The scene of the redraw tests at one step: a backdrop and sprites that move, turn, fade, mirror,
// change frame, come and go and swap places, a stretched picture, a full-screen shade and the pointer.
void RedrawScene(int step, ZoImage& backdrop, ZoClip& quad, ZoClip& strip, ZoClip& shade) {
    backdrop.position = ZoVector(400, 300, 0);
    backdrop.Draw();
    Place(quad, 150.0f, 150.0f, 1.37f); // stretched, still, and crossed by the next one
    quad.SetColour(255.0f, 255.0f, 255.0f, step == 3 ? 100.0f : 255.0f);
    Place(quad, 100.0f + 7.5f * step, 120.0f, 1.0f, step == 4 ? ZoRenderDevice::kMirrorVertical : 0,
          0.3f * static_cast<float>(step));
    quad.SetColour(255.0f, 255.0f, 255.0f, 255.0f);
    Place(quad, 420.0f + 3.0f * step, 300.0f, 1.0f + 0.25f * static_cast<float>(step % 3)); // stretched whole
    strip.SetFrame(step % 4);
    if (step % 2 == 0)
        Place(strip, 600.0f, 450.0f); // comes and goes
    // Two overlapping sprites that swap order.
    for (int i = 0; i < 2; ++i) {
        const int which = step == 5 ? 1 - i : i;
        strip.SetFrame(1 + which);
        Place(strip, 250.0f + 12.0f * which, 420.0f + 10.0f * which);
    }
    if (step == 2 || step == 3)
        Place(shade, 400.0f, 300.0f, 25.0f); // a dialog's shade over everything
    Place(quad, 700.0f - 11.0f * step, 80.0f + 9.0f * step, 0.5f); // the pointer
}

TEST_F(DrawTest, PartialRedrawEqualsFullRedrawOnBothPathsAtEveryScale) {
    ZoImage backdrop;
    backdrop.Load("Test/Backdrop", false);
    ZoClip strip = Picture("Test/Strip", 4, 1);
    ZoClip shade = Picture("Test/Shade");
    struct Setting {
        const char* path;
        bool windowed;
        int width, height; // 0: as opened
    } const settings[] = {{"software", true, 0, 0},     {"software", false, 0, 0},
                          {"software", true, 900, 700}, {"accelerated", true, 0, 0},
                          {"accelerated", false, 0, 0}};
    for (const Setting& setting : settings) {
        SCOPED_TRACE(std::string(setting.path) + (setting.windowed ? " windowed " : " full screen ") +
                     std::to_string(setting.width));
        Reopen(setting.path, setting.windowed);
        ASSERT_EQ(video.Path(), std::string(setting.path) == "software" ? VideoPath::Software : VideoPath::Accelerated);
        if (setting.width > 0)
            SDL_SetWindowSize(OurWindow(), setting.width, setting.height);
        // The frame and the window as shown.
        const auto shown = [&] {
            int width = 0;
            int height = 0;
            return std::make_pair(video.ReadFramePixels(), video.ReadWindowPixels(width, height));
        };
        for (int step = 0; step < 7; ++step) {
            const auto scene = [&] { RedrawScene(step, backdrop, quad, strip, shade); };
            ASSERT_TRUE(Draw(scene, step == 0));
            const std::int64_t rasterised = video.LastFrameCost().rasterised;
            const auto partial = shown();
            if (step == 0 && setting.path == std::string("software")) {
                // The window shows the frame where the letterbox puts it, with black bars around.
                int width = 0;
                int height = 0;
                video.ReadWindowPixels(width, height);
                const ZoRect box = FrameScaler::Letterbox(width, height, 800, 600);
                const auto window = [&](int x, int y) {
                    const std::uint8_t* p = &partial.second[(static_cast<std::size_t>(y) * width + x) * 4];
                    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | 0xFF;
                };
                for (const auto& [x, y] : {std::make_pair(30, 560), std::make_pair(405, 285), std::make_pair(770, 40)}) {
                    const int wx = box.left + x * (box.right - box.left) / 800;
                    const int wy = box.top + y * (box.bottom - box.top) / 600;
                    EXPECT_TRUE(Near(window(wx, wy), At(Frame(), x, y), 12)) << x << "," << y;
                }
                EXPECT_EQ(window(0, 0), box.top > 0 ? kBlack : At(Frame(), 0, 0));
            }
            ASSERT_TRUE(Draw(scene));
            EXPECT_EQ(video.LastFrameCost().rasterised, 800 * 600);
            EXPECT_TRUE(partial.first == shown().first) << "frame differs at step " << step;
            EXPECT_TRUE(partial.second == shown().second) << "window differs at step " << step;
            if (step % 2 == 1) { // the shade stays as it was
                EXPECT_LT(rasterised, 800 * 600 / 3) << step;
            }
        }
    }
}

TEST_F(DrawTest, AnUnchangedFrameIsSkippedAndThePointerAloneRedrawsOnlyItself) {
    ZoImage backdrop;
    backdrop.Load("Test/Backdrop", false);
    ZoClip strip = Picture("Test/Strip", 4, 1);
    ZoClip shade = Picture("Test/Shade");
    for (const bool windowed : {true, false}) {
        Reopen("software", windowed);
        auto scene = [&](float pointerX) {
            RedrawScene(3, backdrop, quad, strip, shade); // a dialog's shade over everything
            Place(strip, pointerX, 300.0f);
        };
        ASSERT_TRUE(Draw([&] { scene(300.0f); }));
        const std::uint64_t presented = device.PresentedFrames();
        EXPECT_FALSE(Draw([&] { scene(300.0f); }, false));
        EXPECT_EQ(device.PresentedFrames(), presented);
        // Moved by 5 pixels: the 32x32 pointer's old and new place, on 8-pixel tiles.
        ASSERT_TRUE(Draw([&] { scene(305.0f); }, false));
        EXPECT_LE(video.LastFrameCost().rasterised, 56 * 48);
        EXPECT_LE(video.LastFrameCost().shown, windowed ? 56 * 48 : 76 * 64);
        // A window shown again (uncovered, say) is shown whole, from the frame as it stands.
        SDL_Event exposed{};
        exposed.type = SDL_WINDOWEVENT;
        exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
        SDL_PushEvent(&exposed);
        SDL_FlushEvent(SDL_WINDOWEVENT);
        ASSERT_TRUE(Draw([&] { scene(305.0f); }, false));
        EXPECT_EQ(video.LastFrameCost().rasterised, 0);
        EXPECT_EQ(video.LastFrameCost().shown, windowed ? 800 * 600 : 1024 * 768);
    }
}

// The application's part in the options' switch to full screen.
struct FullScreenHost : ZoDeviceHost {
    bool DestroyMainWindow() override {
        PlatformVideo::Instance().CloseWindow();
        return true;
    }
    void CreateMainWindow() override { PlatformVideo::Instance().OpenWindow("Korrik Shooter", false); }
};

TEST_F(DrawTest, PicturesSurviveEveryChangeOfRendererOnBothPaths) {
    auto expectQuad = [&](const char* when) {
        SCOPED_TRACE(when);
        ASSERT_TRUE(Draw([&] { Place(quad, 400.0f, 300.0f); }));
        ExpectPixels(Frame(), {{370, 270, kRed}, {430, 270, kGreen}, {370, 330, kBlue}, {430, 330, kWhite}});
    };
    for (const char* path : {"software", "accelerated"}) {
        SCOPED_TRACE(path);
        Reopen(path, true);
        expectQuad("on a new window");
        for (const Uint32 type : {SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET}) {
            SDL_Event reset{};
            reset.type = type;
            SDL_PushEvent(&reset);
            SDL_FlushEvent(type);
            expectQuad("after a reset");
        }
        setenv(PlatformVideo::kPathVariable, path, 1);
        FullScreenHost host;
        device.SetApplication(&host);
        device.RecreateDevice();
        device.SetApplication(nullptr);
        unsetenv(PlatformVideo::kPathVariable);
        EXPECT_FALSE(video.IsWindowed());
        expectQuad("in full screen");
    }
    // With nothing forced, a display that shows nothing is drawn in software.
    Reopen("", true);
    EXPECT_EQ(video.Path(), VideoPath::Software);
}
