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

// The mixer's pan runs from the left (0) to the right (255); a frequency of
// 1000 plays a sample at its own pitch.
constexpr int PAN_LEFT = 0;
constexpr int PAN_CENTRE = 128;
constexpr int PAN_RIGHT = 255;
constexpr int NORMAL_PITCH = 1000;

void playSample(const SAMPLE* sample, int volume, int pan, int frequency, int loop);
void stopSample(const SAMPLE* sample);

// Tests install a listener; the game never does.
void setSoundListener(SoundListener listener);
