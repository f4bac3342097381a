#include <allegro.h>
#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

#include "PlayScene.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "play/MainGame.h"

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

// The same library calls that a frame of the scene makes for its world,
// replayed from a flat list without the game objects around them: the
// background blit, every translucent sprite (scaled through a scratch bitmap
// where the game scales it), every star pixel and the floating texts. The
// heads-up display is drawn by its own code in both. The frame's time over
// this one is the game's own overhead in drawing the world.
struct SpriteCall {
    BITMAP* sprite;
    int x;
    int y;
    int opacity;
    int half;  // scaled to 2 * half square first; -1 for full size
};

struct PixelCall {
    int x;
    int y;
    int colour;
};

struct TextCall {
    int x;
    int y;
    int colour;
    std::string text;
};

struct FrameCalls {
    int viewX = 0;
    int viewY = 0;
    std::vector<SpriteCall> sprites;
    std::vector<PixelCall> stars;
    std::vector<TextCall> texts;
};

void recordCreature(FrameCalls& calls, const Player& creature, const Camera& camera)
{
    int rad = settings.rad;
    int half = creature.state == Alive ? -1 : (rad * creature.counter) / Player::FULL_SIZE;
    BITMAP* tail = tailBitmaps[creature.face % Player::TAIL_COUNT + creature.tailSet];
    for (const Particle& particle : creature.particles)
        calls.sprites.push_back({tail, camera.screenX(particle.x) - rad,
                                 camera.screenY(particle.y) - rad, particle.alpha, half});
    int x = camera.screenX(creature.pos.x) - rad;
    int y = camera.screenY(creature.pos.y) - rad;
    if (creature.fadeTimer > 0)
        calls.sprites.push_back({faceBitmaps[creature.faceSet + creature.prevFace], x, y,
                                 Player::FADE_OPACITY_STEP * creature.fadeTimer, half});
    calls.sprites.push_back({faceBitmaps[creature.faceSet + creature.face], x, y,
                             Player::FADE_OPACITY_STEP * (Player::FADE_TICKS - creature.fadeTimer), half});
}

void recordPowerup(FrameCalls& calls, const Powerup& powerup, const Camera& camera)
{
    bool fullSize = powerup.state == Alive || powerup.state == Dying;
    int half = fullSize ? -1 : powerup.counter / Powerup::SCALE_DIVISOR;
    for (const Particle& particle : powerup.particles)
        calls.sprites.push_back({starBitmaps[powerup.kind], camera.screenX(particle.x) - Powerup::STAR_HALF,
                                 camera.screenY(particle.y) - Powerup::STAR_HALF, (particle.alpha * 3) / 4, half});
}

FrameCalls recordFrame(const MainGame& game)
{
    FrameCalls calls;
    const Camera& camera = *game.camera;
    calls.viewX = static_cast<int>(camera.pos.x - camera.boundsMin.x);
    calls.viewY = static_cast<int>(camera.pos.y - camera.boundsMin.y);
    for (const auto& star : game.stars)
        calls.stars.push_back({camera.screenX(star->pos.x), camera.screenY(star->pos.y), star->color});
    for (const auto& powerup : game.powerups)
        recordPowerup(calls, *powerup, camera);
    for (const auto& soul : game.souls)
        recordCreature(calls, *soul, camera);
    recordCreature(calls, *game.player, camera);
    for (const auto& bubble : game.bubbles) {
        int x = camera.screenX(bubble->pos.x);
        int y = camera.screenY(bubble->pos.y);
        calls.texts.push_back({x + 1, y + 1, makecol(0, 0, 0), bubble->text.get()});
        int r, g, b;
        hsv_to_rgb(ScoreBubble::HUE, 1.0f, bubble->life * ScoreBubble::VALUE_PER_LIFE, &r, &g, &b);
        calls.texts.push_back({x, y, makecol(r, g, b), bubble->text.get()});
    }
    return calls;
}

void replayFrame(BITMAP* frame, BITMAP* scratch, MainGame& game, const FrameCalls& calls)
{
    blit(spaceBitmap, frame, calls.viewX, calls.viewY, 0, 0, frame->w, frame->h);
    for (const PixelCall& pixel : calls.stars)
        putpixel(frame, pixel.x, pixel.y, pixel.colour);
    for (const SpriteCall& call : calls.sprites) {
        set_trans_blender(255, 255, 255, call.opacity);
        BITMAP* sprite = call.sprite;
        if (call.half >= 0) {
            clear_to_color(scratch, makecol(255, 0, 255));
            stretch_sprite(scratch, call.sprite, scratch->w / 2 - call.half, scratch->h / 2 - call.half,
                           2 * call.half, 2 * call.half);
            sprite = scratch;
        }
        draw_trans_sprite(frame, sprite, call.x, call.y);
    }
    game.hud.drawRadar(frame, game.souls, game.powerups, *game.player);
    game.hud.drawHealthBar(frame, game.player->health, MainGame::maxHealth());
    game.hud.drawScore(frame, game.score.value());
    for (const TextCall& text : calls.texts)
        textout_ex(frame, font, text.text.c_str(), text.x, text.y, text.colour, -1);
}

int differingPixels(MainGame& game, BITMAP* frame, BITMAP* scratch, const FrameCalls& calls)
{
    BITMAP* drawn = create_bitmap(frame->w, frame->h);
    game.draw(drawn);
    replayFrame(frame, scratch, game, calls);
    int differing = 0;
    for (int y = 0; y < frame->h; y++)
        for (int x = 0; x < frame->w; x++)
            if (getpixel(drawn, x, y) != getpixel(frame, x, y))
                differing++;
    destroy_bitmap(drawn);
    return differing;
}

void BM_DrawBaseline(benchmark::State& state)
{
    auto game = makePlayScene(static_cast<int>(state.range(0)));
    FrameCalls calls = recordFrame(*game);
    BITMAP* frame = create_bitmap(PICTURE_W, PICTURE_H);
    BITMAP* scratch = create_bitmap(2 * settings.rad, 2 * settings.rad);
    // The replay must paint the very frame the game paints, or the ratio
    // would compare different work; the counter shows it did.
    int mismatch = differingPixels(*game, frame, scratch, calls);
    for (auto _ : state) {
        replayFrame(frame, scratch, *game, calls);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(scratch);
    destroy_bitmap(frame);
    describe(state, *game);
    state.counters["sprites"] = static_cast<double>(calls.sprites.size());
    state.counters["mismatch"] = mismatch;
}
BENCHMARK(BM_DrawBaseline)->Arg(5)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

} // namespace
