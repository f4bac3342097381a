#include "world/Difficulty.h"

#include <iterator>

#include "settings/Settings.h"

namespace {

// A third of twice hp1 for the user's creature on hard, as the float the
// starting health has always been computed with; doubling first or after
// gives the same bits.
constexpr float PLAYER_HARD_SHARE = 0.33333334f;

constexpr Difficulty::Level LEVELS[] = {
    // easy
    {2.0f, 0.5f, {2, 1}, {1, 2}, {3, 2}},
    // normal
    {1.0f, 1.0f, {1, 1}, {1, 1}, {1, 1}},
    // hard
    {2.0f * PLAYER_HARD_SHARE, 1.5f, {2, 3}, {3, 2}, {2, 3}},
};
static_assert(std::size(LEVELS) == DIFFICULTY_LEVELS, "one level for each difficulty the settings know");

} // namespace

long long Difficulty::Ratio::of(long long value) const { return value * numerator / denominator; }

const Difficulty::Level& Difficulty::current() { return LEVELS[usableDifficulty(settings.difficulty)]; }

float Difficulty::playerStartingHealth() { return static_cast<float>(settings.hp1) * current().playerStart; }

float Difficulty::soulStartingHealth() { return static_cast<float>(settings.hp2) * current().soulStart; }

float Difficulty::playerCeiling() { return static_cast<float>(current().playerCeiling.of(settings.hp1)); }

float Difficulty::soulCeiling() { return static_cast<float>(current().soulCeiling.of(settings.hp2)); }

long long Difficulty::spawnInterval() { return current().spawnInterval.of(settings.spawnTime); }
