#include "play/WorldDigest.h"

#include <cstdlib>
#include <cstring>

#include "play/MainGame.h"

namespace {

constexpr std::uint32_t FNV_OFFSET = 2166136261u;
constexpr std::uint32_t FNV_PRIME = 16777619u;
// glibc's rand keeps its place and type in one word, then its 31 words of
// state: the array setstate hands back.
constexpr int RAND_STATE_WORDS = 32;

class Fnv {
public:
    void add(std::uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (value >> shift) & 0xFFu;
            hash *= FNV_PRIME;
        }
    }
    void add(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add(bits);
    }
    std::uint32_t hash = FNV_OFFSET;
};

// The user's creature first, then the souls in the order they update.
template <typename Visit>
void forEachCreature(const MainGame& game, Visit visit)
{
    visit(*game.player);
    for (const auto& soul : game.souls)
        visit(*soul);
}

// Swapping a scratch state in and straight back out hands over the current
// one without drawing a number, so the game's draws stay as they were.
std::uint32_t randomState()
{
    static std::int32_t scratch[2] = {};  // an unused generator of type 0
    const char* current = setstate(reinterpret_cast<char*>(scratch));
    setstate(const_cast<char*>(current));
    Fnv fnv;
    for (int i = 0; i < RAND_STATE_WORDS; i++) {
        std::int32_t word;
        std::memcpy(&word, current + i * sizeof word, sizeof word);
        fnv.add(static_cast<std::uint32_t>(word));
    }
    return fnv.hash;
}

} // namespace

Replay::Digest WorldDigest::of(const MainGame& game)
{
    Fnv positions, speeds, health, points;
    positions.add(static_cast<std::uint32_t>(game.souls.size()));
    forEachCreature(game, [&](const Player& creature) {
        positions.add(creature.pos.x);
        positions.add(creature.pos.y);
        speeds.add(creature.vel.x);
        speeds.add(creature.vel.y);
        health.add(creature.health);
    });
    points.add(static_cast<std::uint32_t>(game.score.total()));
    points.add(static_cast<std::uint32_t>(game.score.value()));
    Replay::Digest digest{};
    digest[Replay::Positions] = positions.hash;
    digest[Replay::Speeds] = speeds.hash;
    digest[Replay::Health] = health.hash;
    digest[Replay::Points] = points.hash;
    digest[Replay::RandomState] = randomState();
    return digest;
}
