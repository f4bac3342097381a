#pragma once

#include "play/Replay.h"

class MainGame;

// The digest a recording keeps of the world every Replay::CHECK_INTERVAL
// ticks: for each quantity an FNV-1a hash over the exact bits of its values
// in little-endian order, so every architecture that plays the same game
// computes the same digest, and one that parts is caught in what it parted.
class WorldDigest {
public:
    static Replay::Digest of(const MainGame& game);
};
