#pragma once

#include "sound/Dsp.h"

// The game's sounds, each made from fixed seeds. All are mono at SOUND_RATE.
constexpr int SOUND_RATE = 22050;

// Length of the ambient loops: a power of two, so the periodic noise comes
// straight out of one inverse FFT, and about three seconds at SOUND_RATE.
constexpr int AMBIENT_LOOP = 65536;

constexpr int WAIL_COUNT = 10;

// Both loops repeat seamlessly: every partial and every swell makes a whole
// number of cycles over AMBIENT_LOOP samples.
Signal makeNightWind();      // AMB1: low hollow wind over a slow drone
Signal makeGhostShimmer();   // AMB2: airy breath and distant glassy voices

Signal makeDie();      // the wisp dissolving
Signal makeThump();    // a soft body hit
Signal makeCollect();  // bright, very short: menu move and pick-up
Signal makeSelect();   // menu choice: a small rising chime

// Ten short wails and whispers of the souls; index 0..WAIL_COUNT-1.
Signal makeWail(int index);
