#include "flow/MusicStream.h"

#include <aldumb.h>

#include "flow/MusicOrders.h"
#include "frame/Resources.h"
#include "settings/Settings.h"

int musicState = MenuMusic;

namespace {

constexpr int MUSIC_CHANNELS = 2;
constexpr int MUSIC_BUFFER_SAMPLES = 8192;
constexpr int MUSIC_RATE = 44100;
constexpr float MUSIC_VOLUME_SCALE = 1.0f / 256;

// Where each part starts, in the order of MusicPart.
constexpr int PART_ORDERS[] = {GAME_MUSIC_ORDER, GAME_OVER_MUSIC_ORDER, MENU_MUSIC_ORDER};

// Silence to full: a setting outside that would invert or overdrive the music.
float volumeOfMusic() { return clampedVolume(settings.volMusic) * MUSIC_VOLUME_SCALE; }

} // namespace

MusicStream::~MusicStream() { stop(); }

void MusicStream::play(MusicPart part)
{
    start(PART_ORDERS[part]);
    musicState = part;
}

void MusicStream::poll()
{
    volume = volumeOfMusic();
    if (player) {
        al_duh_set_volume(player, volume);
        al_poll_duh(player);
    }
}

void MusicStream::stop()
{
    al_stop_duh(player);
    player = nullptr;
}

void MusicStream::start(int order)
{
    stop();
    if (!music)
        return;
    DUH_SIGRENDERER* renderer = dumb_it_start_at_order(music, MUSIC_CHANNELS, order);
    if (!renderer)
        return;
    player = al_duh_encapsulate_sigrenderer(renderer, volume, MUSIC_BUFFER_SAMPLES, MUSIC_RATE);
    // Without a sound device there is no stream; the renderer is ours to end.
    if (!player) {
        duh_end_sigrenderer(renderer);
        return;
    }
    // The stream starts on a silent buffer that the mixer is already playing:
    // filled now, not on the next tick, the piece is heard at once.
    al_poll_duh(player);
}
