#pragma once

#include <memory>
#include <vector>

#include "world/Player.h"
#include "world/Powerup.h"
#include "world/Soul.h"

// When and where souls and power-ups join a game: the souls it starts with,
// the two timers that bring more, and the placement that keeps a new soul
// clear of the others and of the user's creature. The play screen owns one
// and hands it the world's lists at each call.
class Spawner {
public:
    // Placement gives up after this many tries and skips the spawn, so a world
    // crowded around the user's creature can never stall a tick.
    static constexpr int MAX_PLACEMENT_ATTEMPTS = 1000;
    // However the settings scale it, a soul never arrives more often than
    // once per tick, and a non-positive spawn time cannot run the timer down
    // without end.
    static constexpr int MIN_SPAWN_INTERVAL = 1;

    // Places the first souls of a game and sets both timers going.
    void start(std::vector<std::unique_ptr<Soul>>& souls, Player& player);
    void runSoulTimer(std::vector<std::unique_ptr<Soul>>& souls, Player& player);
    void runPowerupTimer(std::vector<std::unique_ptr<Powerup>>& powerups);

    static void spawnSoul(std::vector<std::unique_ptr<Soul>>& souls, Player& player);
    static bool canPlace(const Soul& candidate, const std::vector<std::unique_ptr<Soul>>& souls,
                         const Player& player);
    static void spawnPowerup(std::vector<std::unique_ptr<Powerup>>& powerups);

    // The difficulty's interval between souls, read at each reload; a
    // difficulty outside 0..2 plays like normal. Computed in 64 bits, so no
    // edited value can overflow it.
    static int spawnInterval();

    int soulTimer = 0;
    int powerupTimer = 0;
};
