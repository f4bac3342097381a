#include <allegro.h>
#include <benchmark/benchmark.h>
#include <memory>

#include "input/Controls.h"
#include "settings/Settings.h"
#include "play/MainGame.h"
#include "play/ReplayFile.h"
#include "play/ReplayScreen.h"

namespace {

// What recording adds to every logic tick: reading the six actions once,
// holding them for the tick and storing their byte. BM_LogicTick (PlayBench)
// is the whole tick, recording included; this is that part alone.
void BM_RecordingPerTick(benchmark::State& state)
{
    Replay replay;
    replay.begin(1);
    for (auto _ : state) {
        unsigned keys = controls.heldActions();
        replay.record(keys);
        controls.latch(keys);
        controls.unlatch();
        if (replay.ticks.size() > 1000000)
            replay.ticks.clear();
    }
}
BENCHMARK(BM_RecordingPerTick);

// A ten-minute game at 60 ticks a second, recorded with steering that
// changes every second, played back headless from start to end.
void BM_HeadlessReplayTenMinutes(benchmark::State& state)
{
    constexpr int TEN_MINUTES = 10 * 60 * 60;
    settings = Settings();
    settings.hp1 = 1000000;
    MainGame recorder;
    recorder.begin(2026);
    recorder.readKeys();
    for (int tick = 0; tick < TEN_MINUTES - 1; tick++) {
        controls.holdPad(Action::Left, (tick / 60) % 2);
        controls.holdPad(Action::Up, (tick / 90) % 2);
        recorder.logic();
    }
    controls.releasePad();
    controls.holdPad(Action::Back, true);
    recorder.logic();  // Escape: abandoned after ten minutes
    controls.releasePad();
    recorder.recording.finish(recorder.score.total());
    Replay replay = recorder.recording;
    bool inStep = true;
    for (auto _ : state) {
        ReplayScreen screen;
        screen.show(replay, "", true);
        while (screen.playing())
            screen.step();
        inStep = inStep && !screen.outOfStep();
    }
    state.counters["souls_at_end"] = static_cast<double>(recorder.souls.size());
    state.counters["in_step"] = inStep ? 1 : 0;
    state.counters["file_bytes"] = static_cast<double>(ReplayFile::encode(replay).size());
}
BENCHMARK(BM_HeadlessReplayTenMinutes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
