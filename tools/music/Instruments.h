#pragma once

#include <vector>

#include "music/ItModule.h"

// The module's sampled instruments, synthesised at INSTRUMENT_RATE. Sample
// numbers in patterns count from 1 in this order.
constexpr int INSTRUMENT_RATE = 44100;

enum SampleNumber {
    KICK = 1,
    SNARE,
    HAT,
    SHAKER,
    BASS,    // plucked, driving
    SUB,     // round and soft, for the slow pieces
    LEAD,    // breathy ocarina-like voice
    PAD,     // slow chorus of detuned saws
    BELL,    // glassy, long ring
    PLUCK,   // short bright arpeggio voice
};

std::vector<ItSample> makeInstruments();
