#pragma once

#include "world/Object.h"

// A fixed grey point of the background. The play screen makes the star field
// at the start of every game, resets each star once and never updates them.
class Star : public Object {
public:
    static constexpr int GREY_MIN = 64;
    static constexpr int GREY_RANGE = 128;

    Star();

    // Draws x, then y, then the grey, one rand() each.
    void reset() override;
    void draw(BITMAP* target, const Camera& camera) override;

    int color;
};
