#include "frame/Sound.h"

#include <allegro.h>

#include "settings/Settings.h"

namespace {

SoundListener listener = nullptr;

} // namespace

void playSample(const SAMPLE* sample, int volume, int pan, int frequency, int loop)
{
    if (!sample)
        return;
    // The library's mixer expects 0 to 255; the volume setting may hold anything.
    volume = clampedVolume(volume);
    if (listener)
        listener(SoundEvent{sample, volume, pan, frequency, loop, false});
    play_sample(sample, volume, pan, frequency, loop);
}

void stopSample(const SAMPLE* sample)
{
    if (!sample)
        return;
    if (listener)
        listener(SoundEvent{sample, 0, 0, 0, 0, true});
    stop_sample(sample);
}

void setSoundListener(SoundListener newListener) { listener = newListener; }
