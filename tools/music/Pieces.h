#pragma once

#include "music/ItModule.h"

// The three pieces of wispen.it and where they start in the order list; the
// game starts the renderer at these positions.
constexpr int GAME_ORDER = 0;       // driving, loops back to its first order
constexpr int GAME_OVER_ORDER = 12; // short and sombre, loops within itself
constexpr int MENU_ORDER = 15;      // calm, loops back to its first order

// Channel pans, volumes and count shared by the pieces.
void setUpChannels(ItModule& module);

// Each appends its patterns and orders; they must be called in this order.
void composeGame(ItModule& module);
void composeGameOver(ItModule& module);
void composeMenu(ItModule& module);
