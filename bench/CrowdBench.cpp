#include <allegro.h>
#include <algorithm>
#include <benchmark/benchmark.h>

#include "input/Controls.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "frame/Sound.h"
#include "play/MainGame.h"

namespace {

// How many thumps the busiest crowd starts at once: the full-volume
// end-to-end test's game (a soul every five ticks on hard, a creature too
// strong to die, 130 ticks a second), idle for its first 3.5 s, then steered
// through the crowd in twelve strokes of 0.6 s, played over many seeds. The
// mixer starts every sample begun within one fragment on the same frame, and
// a fragment holds one or two ticks: the counters are the most thumps begun
// in one tick and in two ticks running, and how many pairs of ticks began
// four or more. tools/musiccheck masters the thump for that pile.
constexpr int GAMES = 400;
constexpr int IDLE_TICKS = 455;
constexpr int STROKE_TICKS = 78;
constexpr Action STROKES[] = {Action::Left, Action::Up, Action::Right, Action::Down, Action::Left, Action::Down,
                              Action::Right, Action::Up, Action::Left, Action::Down, Action::Right, Action::Up};
constexpr int PILE = 4;

int thumpsThisTick = 0;

void countThump(const SoundEvent& event)
{
    if (event.sample == thumpSample && !event.stop)
        thumpsThisTick++;
}

void BM_CrowdThumpsAtOnce(benchmark::State& state)
{
    SAMPLE* silent = create_sample(8, 0, 22050, 1);
    SAMPLE* saved = thumpSample;
    thumpSample = silent;
    setSoundListener(countThump);
    settings = Settings();
    settings.fps = 130;
    settings.hp1 = 100000;
    settings.spawnTime = 5;
    settings.difficulty = 2;
    int mostInATick = 0, mostInTwo = 0;
    long pairs = 0, piles = 0;
    for (auto _ : state) {
        for (int seed = 1; seed <= GAMES; seed++) {
            MainGame game;
            game.begin(static_cast<std::uint32_t>(seed));
            int before = 0;
            for (int tick = 0; tick < IDLE_TICKS + STROKE_TICKS * static_cast<int>(std::size(STROKES)); tick++) {
                controls.releasePad();
                if (tick >= IDLE_TICKS)
                    controls.holdPad(STROKES[(tick - IDLE_TICKS) / STROKE_TICKS], true);
                thumpsThisTick = 0;
                game.logic();
                mostInATick = std::max(mostInATick, thumpsThisTick);
                mostInTwo = std::max(mostInTwo, before + thumpsThisTick);
                pairs++;
                piles += before + thumpsThisTick >= PILE;
                before = thumpsThisTick;
            }
            controls.releasePad();
        }
    }
    setSoundListener(nullptr);
    thumpSample = saved;
    destroy_sample(silent);
    state.counters["games"] = GAMES;
    state.counters["most_in_a_tick"] = mostInATick;
    state.counters["most_in_two_ticks"] = mostInTwo;
    state.counters["pairs_per_pile_of_4"] = piles ? static_cast<double>(pairs) / piles : 0;
}
BENCHMARK(BM_CrowdThumpsAtOnce)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
