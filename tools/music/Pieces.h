#pragma once

#include "flow/MusicOrders.h"
#include "music/ItModule.h"

// Channel pans, volumes and count shared by the pieces.
void setUpChannels(ItModule& module);

// Each appends its patterns and orders; they must be called in this order.
void composeGame(ItModule& module);
void composeGameOver(ItModule& module);
void composeMenu(ItModule& module);
