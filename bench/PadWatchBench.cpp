#include <allegro.h>
#include <benchmark/benchmark.h>
#include <cstring>

#include "input/PadWatch.h"

namespace {

// In a folder every system has, so that the kernel's notifications are set up.
const char NO_PAD[] = "[joystick]\njoystick_device = /dev/no-such-pad\n";

// What watching for a pad adds to every logic tick while none is plugged in:
// a read of the kernel's notifications that finds none on every tick and,
// once a second (60 ticks), a look at whether the device file exists. The
// figure is per tick, the look shared out.
void BM_PadWatchPerTick(benchmark::State& state)
{
    set_config_data(NO_PAD, static_cast<int>(std::strlen(NO_PAD)));
    PadWatch watch;
    watch.start(60);
    for (auto _ : state) {
        watch.tick();
        benchmark::DoNotOptimize(watch);
    }
    set_config_data("", 0);
}
BENCHMARK(BM_PadWatchPerTick);

// The look alone, as it comes once a second.
void BM_PadWatchLook(benchmark::State& state)
{
    set_config_data(NO_PAD, static_cast<int>(std::strlen(NO_PAD)));
    PadWatch watch;
    watch.start(1);
    for (auto _ : state) {
        watch.tick();
        benchmark::DoNotOptimize(watch);
    }
    set_config_data("", 0);
}
BENCHMARK(BM_PadWatchLook);

} // namespace
