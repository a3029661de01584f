// Cost of one busy frame of play with the software renderer: a full board, bursts in the air, wobbling balls;
// with the argument 1 the aiming guide is on, traced anew every frame as the balls wobble.
#include "Game.h"
#include "GameSprites.h"
#include "GuiTestSupport.h"
#include "ZoRandom.h"
#include "ZoRenderDevice.h"
#include "ZoSysConfig.h"

#include <benchmark/benchmark.h>

namespace {

void BusyFrame(benchmark::State& state) {
    ZoSysConfig::Instance().aimingGuide = state.range(0) != 0;
    Game game;
    game.Init();
    game.SetupClassic();
    SystemRandom().Seed(11);
    game.NewGame();
    while (game.Map()->MapState != GameMap::kReady) {
        game.Update(16);
    }
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    int frame = 0;
    for (auto _ : state) {
        // Keep about six bursts alive and the board wobbling, so every frame differs from the last.
        if (frame % 20 == 0) {
            for (int i = 0; i < 6; ++i) {
                game.Map()->Bubble(i * 2, i)->Burst();
            }
            game.Map()->Bubble(5, 5)->Push(ZoVector(400, 300), 16.0);
        }
        ++frame;
        game.Update(16);
        device.BeginFrame();
        game.Draw();
        device.EndFrame();
    }
    state.counters["sprites"] = static_cast<double>(device.Batch().size());
}

} // namespace

BENCHMARK(BusyFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    guitest::EnsureGuiWorld();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
