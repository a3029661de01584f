// Cost of a frame with the software renderer at 800x600: 1,000 turned, tinted sprites; still vs animated.
#include "GraphicsTestSupport.h"

#include "ZoClip.h"
#include "ZoRandom.h"
#include "ZoRenderDevice.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

struct Scene {
    std::vector<ZoClip> sprites;
};

Scene BuildScene()
{
    Scene scene;
    {
        ZoRandom random;
        random.Seed(7);
        scene.sprites.resize(1000);
        for (ZoClip& sprite : scene.sprites) {
            sprite.Load("Test/Strip", false);
            sprite.Animation().Setup(400, AnimLoop, 4, 1);
            sprite.SetFrame(random.Below(4));
            sprite.position = ZoVector(static_cast<float>(random.Below(800)), static_cast<float>(random.Below(600)));
            sprite.rotation = static_cast<float>(random.Below(628)) / 100.0f;
            sprite.SetColour(static_cast<float>(128 + random.Below(128)), static_cast<float>(128 + random.Below(128)),
                             static_cast<float>(128 + random.Below(128)), static_cast<float>(160 + random.Below(96)));
        }
    }
    return scene;
}

// The window, device and cache come first so that the sprites are gone before them at exit.
Scene& TheScene()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    gfxtest::EnsureWorld();
    static Scene scene = BuildScene();
    return scene;
}

void DrawAll(Scene& scene)
{
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    device.BeginFrame();
    for (ZoClip& sprite : scene.sprites) {
        sprite.Draw();
    }
    device.EndFrame();
}

// Every frame differs: each is rasterised and presented.
void ThousandTurnedTintedSprites(benchmark::State& state)
{
    Scene& scene = TheScene();
    for (auto _ : state) {
        for (ZoClip& sprite : scene.sprites) {
            sprite.rotation += 0.01f;
        }
        DrawAll(scene);
    }
    state.counters["presented"] = static_cast<double>(ZoRenderDevice::Instance().PresentedFrames());
}
BENCHMARK(ThousandTurnedTintedSprites)->Unit(benchmark::kMicrosecond);

// Nothing moves: the frame is recorded and compared, never rasterised again.
void ThousandSpritesStillScreen(benchmark::State& state)
{
    Scene& scene = TheScene();
    DrawAll(scene);
    const auto before = ZoRenderDevice::Instance().SkippedFrames();
    for (auto _ : state) {
        DrawAll(scene);
    }
    state.counters["skipped"] =
        static_cast<double>(ZoRenderDevice::Instance().SkippedFrames() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(ThousandSpritesStillScreen)->Unit(benchmark::kMicrosecond);

// A busy game frame: a full-screen background, 200 unturned balls with shadows, one turned launcher
// ball and 60 fading burst particles (the game turns only the launcher's ball).
void BusyGameFrame(benchmark::State& state)
{
    Scene& scene = TheScene();
    ZoImage background;
    background.Load("Test/Backdrop", false);
    float fade = 255.0f;
    for (auto _ : state) {
        ZoRenderDevice& device = ZoRenderDevice::Instance();
        device.BeginFrame();
        background.position = ZoVector(400.0f, 300.0f);
        background.Draw();
        for (std::size_t i = 0; i < 460; ++i) {
            ZoClip& sprite = scene.sprites[i];
            const float rotation = sprite.rotation;
            sprite.rotation = i == 0 ? rotation : 0.0f;
            // Balls untinted, their shadows at alpha 80, particles fading.
            if (i < 200) {
                sprite.SetColour(255.0f, 255.0f, 255.0f, 255.0f);
            } else if (i < 400) {
                sprite.SetColour(255.0f, 255.0f, 255.0f, 80.0f);
            } else {
                sprite.SetColour(255.0f, 255.0f, 255.0f, fade);
            }
            sprite.Draw();
            sprite.rotation = rotation;
            sprite.SetColour(200.0f, 220.0f, 240.0f, 230.0f);
        }
        fade = fade > 10.0f ? fade - 1.0f : 255.0f;
        device.EndFrame();
    }
}
BENCHMARK(BusyGameFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
