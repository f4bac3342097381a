#include "app/Sound.h"

#include <allegro.h>

namespace {

SoundListener listener = nullptr;

} // namespace

void playSample(const SAMPLE* sample, int volume, int pan, int frequency, int loop)
{
    if (!sample)
        return;
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
