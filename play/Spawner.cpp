#include "play/Spawner.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "settings/Settings.h"
#include "world/Difficulty.h"

namespace {

constexpr int START_SOULS = 5;
constexpr int FIRST_POWERUP_DELAY = 300;
constexpr int POWERUP_INTERVAL = 120;

} // namespace

void Spawner::start(std::vector<std::unique_ptr<Soul>>& souls, Player& player)
{
    for (int i = 0; i < START_SOULS; i++)
        spawnSoul(souls, player);
    // The first soul comes after spawnTime ticks whatever the difficulty.
    soulTimer = std::max(settings.spawnTime, MIN_SPAWN_INTERVAL);
    powerupTimer = FIRST_POWERUP_DELAY;
}

void Spawner::runSoulTimer(std::vector<std::unique_ptr<Soul>>& souls, Player& player)
{
    soulTimer -= 1;
    if (soulTimer > 0)
        return;
    soulTimer = spawnInterval();
    spawnSoul(souls, player);
}

void Spawner::runPowerupTimer(std::vector<std::unique_ptr<Powerup>>& powerups)
{
    powerupTimer -= 1;
    if (powerupTimer > 0)
        return;
    powerupTimer = POWERUP_INTERVAL;
    spawnPowerup(powerups);
}

int Spawner::spawnInterval()
{
    return static_cast<int>(std::clamp<long long>(Difficulty::spawnInterval(), MIN_SPAWN_INTERVAL, INT_MAX));
}

void Spawner::spawnSoul(std::vector<std::unique_ptr<Soul>>& souls, Player& player)
{
    auto soul = std::make_unique<Soul>();
    for (int attempt = 0; attempt < MAX_PLACEMENT_ATTEMPTS; attempt++) {
        soul->pos.x = randomCoordinate(soul->boundsMin.x, soul->boundsMax.x);
        soul->pos.y = randomCoordinate(soul->boundsMin.y, soul->boundsMax.y);
        if (canPlace(*soul, souls, player)) {
            soul->setTarget(&player);
            souls.push_back(std::move(soul));
            return;
        }
    }
}

bool Spawner::canPlace(const Soul& candidate, const std::vector<std::unique_ptr<Soul>>& souls, const Player& player)
{
    long long rad = clampedRadius(settings.rad);
    float twoRadiiSquared = static_cast<float>(4 * rad * rad);
    for (const auto& soul : souls)
        if (squaredDistance(*soul, candidate) <= twoRadiiSquared)
            return false;
    return squaredDistance(player, candidate) > 4 * twoRadiiSquared;
}

void Spawner::spawnPowerup(std::vector<std::unique_ptr<Powerup>>& powerups)
{
    int r = std::rand();
    powerups.push_back(std::make_unique<Powerup>(static_cast<Powerup::Kind>(r % Powerup::KIND_COUNT)));
}
