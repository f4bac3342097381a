#include <allegro.h>
#include <benchmark/benchmark.h>
#include <memory>

#include "PlayScene.h"
#include "ScaledPresent.h"
#include "desktop/DoubleBuffer.h"
#include "play/MainGame.h"
#include "settings/PictureSize.h"

namespace {

constexpr int FRAME_W = PICTURE_W;
constexpr int FRAME_H = PICTURE_H;

// A frame with the variety of a real one, so nothing is faster for being flat.
BITMAP* makeFrame()
{
    BITMAP* frame = create_bitmap(FRAME_W, FRAME_H);
    for (int y = 0; y < FRAME_H; y++)
        for (int x = 0; x < FRAME_W; x++)
            putpixel(frame, x, y, makecol((x * 37) & 255, (y * 53) & 255, (x + y) & 255));
    return frame;
}

void countPixels(benchmark::State& state, int scale)
{
    state.counters["target_pixels"] = static_cast<double>(FRAME_W * scale * FRAME_H * scale);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FRAME_W * scale * FRAME_H * scale * 4);
}

// The double buffer's own enlargement: the 320x240 frame into a memory bitmap
// of 960x720 (3x) or 1280x960 (4x), whole rows at a time.
void BM_EnlargeFrame(benchmark::State& state)
{
    const int scale = static_cast<int>(state.range(0));
    BITMAP* frame = makeFrame();
    BITMAP* target = create_bitmap(FRAME_W * scale, FRAME_H * scale);
    for (auto _ : state) {
        enlargeFrame(frame, target, scale);
        benchmark::ClobberMemory();
    }
    countPixels(state, scale);
    destroy_bitmap(target);
    destroy_bitmap(frame);
}
BENCHMARK(BM_EnlargeFrame)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

// The library's general stretch doing the same work, for comparison.
void BM_StretchBlit(benchmark::State& state)
{
    const int scale = static_cast<int>(state.range(0));
    BITMAP* frame = makeFrame();
    BITMAP* target = create_bitmap(FRAME_W * scale, FRAME_H * scale);
    for (auto _ : state) {
        stretch_blit(frame, target, 0, 0, FRAME_W, FRAME_H, 0, 0, FRAME_W * scale, FRAME_H * scale);
        benchmark::ClobberMemory();
    }
    countPixels(state, scale);
    destroy_bitmap(target);
    destroy_bitmap(frame);
}
BENCHMARK(BM_StretchBlit)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

// The enlarged picture copied on into a display-sized bitmap at the centred
// place, as show does onto the screen; without a display, a memory bitmap of
// 1024x768 stands in for it.
void BM_PresentScaled(benchmark::State& state)
{
    const int scale = static_cast<int>(state.range(0));
    BITMAP* frame = makeFrame();
    BITMAP* enlarged = create_bitmap(FRAME_W * scale, FRAME_H * scale);
    BITMAP* display = create_bitmap(FRAME_W * scale + 64, FRAME_H * scale + 48);
    for (auto _ : state) {
        enlargeFrame(frame, enlarged, scale);
        blit(enlarged, display, 0, 0, 32, 24, enlarged->w, enlarged->h);
        benchmark::ClobberMemory();
    }
    countPixels(state, scale);
    destroy_bitmap(display);
    destroy_bitmap(enlarged);
    destroy_bitmap(frame);
}
BENCHMARK(BM_PresentScaled)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

// A whole frame of the default scene at a scale: the play screen drawn at its
// logical size, enlarged and copied to the stand-in display. Default settings
// (the five souls a game starts with, no spawning during the measurement), kept alive so
// the crowd does not change between iterations.
void BM_ScaledPlayFrame(benchmark::State& state)
{
    const int scale = static_cast<int>(state.range(0));
    auto game = makePlayScene(0);

    ScaledPresent screen(scale);
    for (auto _ : state) {
        game->draw(screen.frame());
        screen.present();
        benchmark::ClobberMemory();
    }
    state.counters["souls"] = static_cast<double>(game->souls.size());
}
BENCHMARK(BM_ScaledPlayFrame)->Arg(1)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

} // namespace
