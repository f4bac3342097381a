#pragma once

#include "paint/Image.h"

// Paints the power-up sprites, 12x12, one per kind in the game's order:
// -15HP, $5000, $15000, $1000, +3HP, -3HP, +15HP. The shape says what a kind
// does (spiked balls hurt, stars pay, crosses heal) and the size and
// brightness say how much, so a player can tell them apart at a glance even
// though the game draws them faintly, many at once.
class PowerupPainter {
public:
    static constexpr int SIZE = 12;

    Image star(int kind) const;
};
