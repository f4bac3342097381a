#include <allegro.h>
#include <benchmark/benchmark.h>

#include "ScaledPresent.h"
#include "settings/Settings.h"
#include "flow/WispenGame.h"

namespace {

constexpr int WARM_UP_TICKS = 480;

// The application as it runs, without a display: made once and never
// destroyed, since taking it down unloads the resources the other
// benchmarks draw with.
WispenGame& application()
{
    static WispenGame* game = new WispenGame();
    return *game;
}

// One iteration is what a second of the game repeats 60 times: one logic
// tick of the application, one frame drawn and one present at a scale into
// a display-sized memory bitmap, as the double buffer presents. Argument 0
// is the main menu (0) or the default game (1), argument 1 the scale.
// scripts/measure-cpu.sh sets the game's own processor time beside this.
void BM_SecondOfWork(benchmark::State& state)
{
    const bool playing = state.range(0) != 0;
    const int scale = static_cast<int>(state.range(1));
    settings = Settings();
    // The creature lives through the measurement, so the scene stays play.
    settings.hp1 = 1000000;
    WispenGame& game = application();
    if (playing) {
        game.playScreen.begin(42);
        game.setScreen(&game.playScreen);
        for (int i = 0; i < WARM_UP_TICKS; i++)
            game.logic();
    } else {
        game.setScreen(&game.mainMenu);
    }

    ScaledPresent screen(scale);
    for (auto _ : state) {
        game.logic();
        game.draw(screen.frame());
        screen.present();
        benchmark::ClobberMemory();
    }
    game.setScreen(&game.mainMenu);
    settings = Settings();
}
BENCHMARK(BM_SecondOfWork)->Args({0, 1})->Args({0, 3})->Args({1, 1})->Args({1, 3})->Unit(benchmark::kMicrosecond);

} // namespace
