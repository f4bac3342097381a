#include "world/Powerup.h"

#include <algorithm>
#include <allegro.h>
#include <cstdlib>

#include "frame/Resources.h"
#include "settings/Settings.h"
#include "world/Camera.h"

namespace {

constexpr float FOUNTAIN_SPREAD_DIVISOR = 256.0f;
constexpr float BURST_SPREAD_DIVISOR = 64.0f;

// A star is drawn a quarter fainter than a trail particle of the same age.
int starOpacity(const Particle& particle) { return (particle.alpha * 3) / 4; }

} // namespace

const Powerup::Effect Powerup::EFFECTS[KIND_COUNT] = {
    {Effect::Hurt, 15}, {Effect::Money, 5000}, {Effect::Money, 15000}, {Effect::Money, 1000},
    {Effect::Heal, 3},  {Effect::Hurt, 3},     {Effect::Heal, 15},
};

std::string Powerup::effectText(const Effect& effect)
{
    switch (effect.type) {
    case Effect::Money:
        return moneyText(effect.amount);
    case Effect::Heal:
        return "+" + std::to_string(effect.amount) + "HP";
    case Effect::Hurt:
        return "-" + std::to_string(effect.amount) + "HP";
    }
    return "";
}

std::string Powerup::moneyText(int amount) { return "$" + std::to_string(amount); }

Powerup::Powerup(Kind kind) : kind(kind) { reset(); }

void Powerup::reset()
{
    // The box's corners are whole units (the radius is a whole number).
    pos.x = randomCoordinate(boundsMin.x, boundsMax.x);
    pos.y = randomCoordinate(boundsMin.y, boundsMax.y);
    health = LIFETIME;
}

void Powerup::update()
{
    advancePhase();
    emitFountain();
    stepParticles();
    spendLifetime();
}

// Appearing means growing while lifetime is left and shrinking once it is
// spent, so the same phase serves both ends of a power-up's life.
void Powerup::advancePhase()
{
    if (state != Appearing)
        return;
    if (health > 0.0f) {
        counter++;
        if (grown())
            state = Alive;
    } else {
        counter--;
        if (counter <= 0)
            state = Dead;
    }
}

void Powerup::emitFountain()
{
    if (state != Dying && static_cast<int>(particles.size()) < FOUNTAIN_LIMIT && particleDelay == 0) {
        float vx = randomSpread(FOUNTAIN_SPREAD_DIVISOR);
        float vy = randomSpread(FOUNTAIN_SPREAD_DIVISOR);
        particles.push_back(makeParticle(pos.x, pos.y, vx, vy, clampedTrailLength(settings.maxParticles)));
        particleDelay = PARTICLE_DELAY;
    }
    if (particleDelay > 0)
        particleDelay--;
}

void Powerup::spendLifetime()
{
    if (state == Dead)
        return;
    health -= 1.0f;
    if (health <= 0.0f)
        state = Appearing;
}

void Powerup::collect()
{
    state = Dying;
    health = BURST_TIME;
    for (int i = 0; i < BURST_PARTICLES; i++) {
        float vx = randomSpread(BURST_SPREAD_DIVISOR);
        float vy = randomSpread(BURST_SPREAD_DIVISOR);
        particles.push_back(makeParticle(pos.x, pos.y, vx, vy, BURST_LIFE));
    }
}

// Growing in and shrinking away go through the scratch, made here as well in
// case no creature has been drawn yet; it is never smaller than a star. If it
// cannot be made, the stars are drawn at full size.
void Powerup::draw(BITMAP* target, const Camera& camera)
{
    BITMAP* star = starBitmaps[kind];
    if (!star)
        return;
    bool fullSize = state == Alive || state == Dying;
    int scratchSize = std::max(2 * clampedRadius(settings.rad), 2 * STAR_HALF);
    BITMAP* scratch = fullSize ? nullptr : spriteScratchOfSize(scratchSize);
    int half = counter / SCALE_DIVISOR;
    for (const Particle& particle : particles) {
        BITMAP* sprite = star;
        if (scratch) {
            clear_to_color(scratch, maskColour());
            stretch_sprite(scratch, star, STAR_HALF - half, STAR_HALF - half, 2 * half, 2 * half);
            sprite = scratch;
        }
        setOpacity(starOpacity(particle));
        draw_trans_sprite(target, sprite, camera.screenX(particle.x) - STAR_HALF,
                          camera.screenY(particle.y) - STAR_HALF);
    }
}
