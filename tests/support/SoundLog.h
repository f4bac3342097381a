#pragma once

#include <vector>

#include "frame/Sound.h"

// Records every sample the game starts or stops while it is alive.
class SoundLog {
public:
    SoundLog();
    ~SoundLog();

    const std::vector<SoundEvent>& events() const;
    int playsOf(const SAMPLE* sample) const;
    void clear();
};
