#include <allegro.h>
#include <benchmark/benchmark.h>

#include "PlayScene.h"
#include "settings/PictureSize.h"
#include "play/MainGame.h"
#include "world/Difficulty.h"

namespace {

void describe(benchmark::State& state, const MainGame& game)
{
    size_t particles = game.player->particles.size();
    for (const auto& soul : game.souls)
        particles += soul->particles.size();
    for (const auto& powerup : game.powerups)
        particles += powerup->particles.size();
    state.counters["souls"] = static_cast<double>(game.souls.size());
    state.counters["powerups"] = static_cast<double>(game.powerups.size());
    state.counters["particles"] = static_cast<double>(particles);
}

void BM_LogicTick(benchmark::State& state)
{
    auto game = makePlayScene(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(game->logic());
    describe(state, *game);
}
BENCHMARK(BM_LogicTick)->Arg(5)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_DrawFrame(benchmark::State& state)
{
    auto game = makePlayScene(static_cast<int>(state.range(0)));
    BITMAP* frame = create_bitmap(PICTURE_W, PICTURE_H);
    for (auto _ : state) {
        game->draw(frame);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(frame);
    describe(state, *game);
}
BENCHMARK(BM_DrawFrame)->Arg(5)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

// Where a frame's time goes: each part of the scene drawn alone, by the same
// code the play screen draws it with, over a frame it has drawn. The frame
// less the parts is the sky, the stars and the play screen's own walk.
enum Part { Powerups, Creatures, HeadsUp, Bubbles };

void drawPart(MainGame& game, BITMAP* frame, int part)
{
    const Camera& camera = *game.camera;
    if (part == Powerups)
        for (const auto& powerup : game.powerups)
            powerup->draw(frame, camera);
    if (part == Creatures) {
        for (const auto& soul : game.souls)
            soul->draw(frame, camera);
        game.player->draw(frame, camera);
    }
    if (part == HeadsUp) {
        game.hud.drawRadar(frame, game.souls, game.powerups, *game.player);
        game.hud.drawHealthBar(frame, game.player->health, Difficulty::playerCeiling());
        game.hud.drawScore(frame, game.score.value());
    }
    if (part == Bubbles)
        for (const auto& bubble : game.bubbles)
            bubble->draw(frame, camera);
}

void BM_DrawPart(benchmark::State& state)
{
    auto game = makePlayScene(static_cast<int>(state.range(0)));
    BITMAP* frame = create_bitmap(PICTURE_W, PICTURE_H);
    game->draw(frame);
    for (auto _ : state) {
        drawPart(*game, frame, static_cast<int>(state.range(1)));
        benchmark::ClobberMemory();
    }
    destroy_bitmap(frame);
    describe(state, *game);
    state.counters["bubbles"] = static_cast<double>(game->bubbles.size());
}
// The second number is the part: power-ups, creatures, heads-up display, bubbles.
BENCHMARK(BM_DrawPart)->ArgsProduct({{5, 50, 200}, {Powerups, Creatures, HeadsUp, Bubbles}})->Unit(benchmark::kMicrosecond);

} // namespace
