#pragma once

// Where the three pieces of wispen.it start in its order list: the game
// starts the renderer at these, the music tool writes each piece from its
// own and the music check plays each from there to the next.
constexpr int GAME_MUSIC_ORDER = 0;       // driving, loops back to its first order
constexpr int GAME_OVER_MUSIC_ORDER = 12; // short and sombre, loops within itself
constexpr int MENU_MUSIC_ORDER = 15;      // calm, loops back to its first order
