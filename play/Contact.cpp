#include "play/Contact.h"

#include <allegro.h>
#include <cmath>

#include "settings/Settings.h"
#include "world/Player.h"

namespace {

constexpr float CONTACT_SLACK = 1.0f;
constexpr float FIXED_POINT_LIMIT = 32767.0f;  // largest value ftofix converts

float squaredSpeed(const Player& creature)
{
    return creature.vel.x * creature.vel.x + creature.vel.y * creature.vel.y;
}

} // namespace

std::optional<Contact> Contact::between(const Player& a, const Player& b)
{
    if (&a == &b)
        return std::nullopt;
    float dx = a.pos.x - b.pos.x;
    float dy = a.pos.y - b.pos.y;
    float squared = dx * dx + dy * dy;
    float reach = 2.0f * clampedRadius(settings.rad);
    // Most pairs are far apart: they are turned away before the root. One
    // unit of slack leaves every decision near the edge to the root below.
    float slack = reach + CONTACT_SLACK;
    if (squared > slack * slack)
        return std::nullopt;
    // The fixed-point root is the game's own distance; its rounding decides
    // contacts at the exact edge. Its range ends at about 181 units, where it
    // would report every farther pair at 181; only a radius far beyond the
    // game's gets there, and then the float root gives the true distance.
    float dist = squared <= FIXED_POINT_LIMIT ? fixtof(fixsqrt(ftofix(squared))) : std::sqrt(squared);
    if (dist > reach || dist == 0)
        return std::nullopt;
    float inv = 1 / dist;
    float impulse = -((a.vel.x - b.vel.x) * dx + (a.vel.y - b.vel.y) * dy) * inv;
    if (impulse < 0)
        return std::nullopt;

    Contact contact;
    contact.impulse = impulse;
    contact.nx = dx * inv;
    contact.ny = dy * inv;
    contact.firstFaster = squaredSpeed(a) > squaredSpeed(b);
    const Player& slower = contact.firstFaster ? b : a;
    contact.slowerHealth = slower.health - impulse;
    contact.kills = contact.slowerHealth <= 0;
    contact.healing = impulse * HEAL_SHARE;
    contact.points = POINTS_PER_HIT_UNIT * static_cast<int>(impulse * impulse);
    return contact;
}
