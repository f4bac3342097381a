#pragma once

#include <memory>

#include "play/MainGame.h"

// A game of a fixed seed with at least soulCount souls (a game starts with
// five), kept at that number: nobody dies and no more arrive, so every
// measured tick and frame sees the same crowd. The souls still chase, collide
// and bounce as in play. Trails have filled and the first power-ups grown in.
std::unique_ptr<MainGame> makePlayScene(int soulCount);
