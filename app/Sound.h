#pragma once

struct SAMPLE;

// Every sample the game starts or stops goes through these two calls: a
// missing optional sample is skipped in one place, every volume is kept to the
// mixer's 0 to 255, and tests can listen to what a player would hear without a
// sound card.
struct SoundEvent {
    const SAMPLE* sample;
    int volume;
    int pan;
    int frequency;
    int loop;
    bool stop;
};

using SoundListener = void (*)(const SoundEvent& event);

void playSample(const SAMPLE* sample, int volume, int pan, int frequency, int loop);
void stopSample(const SAMPLE* sample);

// Tests install a listener; the game never does.
void setSoundListener(SoundListener listener);
