// Cost of one busy frame of play with the software renderer: a full board, bursts in the air, a ball in
// flight.
#include "GameTestSupport.h"

#include "GameSprites.h"
#include "ZoRandom.h"
#include "ZoRenderDevice.h"

#include <benchmark/benchmark.h>

namespace {

void BusyFrame(benchmark::State& state) {
    gametest::Board board;
    board.map->LoadBackground("GameBgr");
    SystemRandom().Seed(11);
    std::vector<std::string> rows(13, "");
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 12; ++x) {
            rows[static_cast<std::size_t>(y)] += static_cast<char>('0' + SystemRandom().Below(6));
        }
    }
    board.Fill(rows);
    board.Load(1, 2);
    ZoSpriteLayer& layer = GameSprites::Instance().Layer();
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    int frame = 0;
    for (auto _ : state) {
        // Keep about six bursts alive and the board wobbling, so every frame differs from the last.
        if (frame % 20 == 0) {
            for (int i = 0; i < 6; ++i) {
                board.map->Bubble(i * 2, 3 + i)->Burst();
            }
            board.map->Bubble(5, 5)->Push(ZoVector(400, 300), 16.0);
        }
        ++frame;
        layer.UpdateAll(16);
        board.shooter->UpdateShooter(16);
        board.map->Update(16);
        device.BeginFrame();
        board.map->Draw();
        device.EndFrame();
    }
    state.counters["sprites"] = static_cast<double>(device.Batch().size());
}

} // namespace

BENCHMARK(BusyFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    gametest::EnsureGameWorld();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
