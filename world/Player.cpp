#include "world/Player.h"

#include <algorithm>
#include <allegro.h>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "desktop/Dispose.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "world/Camera.h"
#include "world/Difficulty.h"
#include "world/UserInput.h"

BITMAP* spriteScratch = nullptr;

namespace {

constexpr float WORLD_CENTRE_X = Object::WORLD_WIDTH / 2;
constexpr float WORLD_CENTRE_Y = Object::WORLD_HEIGHT / 2;
constexpr int SPREAD_RANGE = 255;
constexpr int SPREAD_CENTRE = 128;
constexpr int MASK_RED = 255;
constexpr int MASK_GREEN = 0;
constexpr int MASK_BLUE = 255;
constexpr float TRAIL_SPREAD_DIVISOR = 512.0f;
constexpr int FULL_OPACITY = 100;
constexpr int BLENDER_MAX = 255;

// The cap compares, and a comparison with NaN is false whichever way it asks,
// so a speed that is not a number stops instead of slipping through.
float clampSpeed(float speed)
{
    if (std::isnan(speed))
        return 0.0f;
    return std::clamp(speed, -Player::MAX_SPEED, Player::MAX_SPEED);
}

// Steps one axis; a step that leaves [low, high) is undone and bounces.
void bounceStep(float& position, float& velocity, float low, float high)
{
    position += velocity;
    if (!(position < high) || position < low) {
        position -= velocity;
        velocity = Player::BOUNCE * velocity;
    }
}

} // namespace

BITMAP* spriteScratchOfSize(int size)
{
    size = std::max(size, 1);
    if (spriteScratch && (spriteScratch->w < size || spriteScratch->h < size))
        destroySpriteScratch();
    if (!spriteScratch)
        spriteScratch = create_bitmap(size, size);
    return spriteScratch;
}

void destroySpriteScratch()
{
    dispose(spriteScratch, destroy_bitmap);
}

Player::Player() : state(Appearing), health(0.0f), counter(0), face(0), prevFace(0), faceTimer(0), fadeTimer(0),
                   faceSet(PLAYER_FACE_SET), tailSet(PLAYER_TAIL_SET), particleDelay(0)
{
    float rad = static_cast<float>(clampedRadius(settings.rad));
    boundsMin = Vector(rad, rad);
    boundsMax = Vector(WORLD_WIDTH - rad, WORLD_HEIGHT - rad);
    input = std::make_unique<UserInput>();
    startLife();
}

void Player::reset()
{
    pos = Vector(WORLD_CENTRE_X, WORLD_CENTRE_Y);
    vel = Vector(0.0f, 0.0f);
    startLife();
}

void Player::startLife()
{
    health = startingHealth();
    state = Appearing;
    counter = 0;
    face = std::rand() % FACE_COUNT;
    prevFace = 0;
    faceTimer = std::rand() % FACE_TIME_RANGE + FACE_TIME_MIN;
    fadeTimer = 0;
    faceSet = PLAYER_FACE_SET;
    tailSet = PLAYER_TAIL_SET;
    particleDelay = 0;
}

int Player::maskColour() { return makecol(MASK_RED, MASK_GREEN, MASK_BLUE); }

float Player::randomSpread(float divisor)
{
    return static_cast<float>(std::rand() % SPREAD_RANGE - SPREAD_CENTRE) / divisor;
}

float Player::startingHealth() { return Difficulty::playerStartingHealth(); }

void Player::update()
{
    if (input)
        input->update();
    steer();
    moveAndBounce();
    advanceLife();
    if (fadeTimer > 0)
        fadeTimer--;
    changeFace();
    emitTrail();
    stepParticles();
}

// Damping acts only on an axis without input, so a held key never fights it.
// right and down are asked only when left and up are not held.
void Player::steer()
{
    float acc = usableAcc(settings.acc);
    float dec = usableDec(settings.dec);
    if (input && input->left())
        vel.x -= acc;
    else if (input && input->right())
        vel.x += acc;
    else
        vel.x *= dec;

    if (input && input->up())
        vel.y -= acc;
    else if (input && input->down())
        vel.y += acc;
    else
        vel.y *= dec;

    vel.x = clampSpeed(vel.x);
    vel.y = clampSpeed(vel.y);
}

void Player::moveAndBounce()
{
    bounceStep(pos.x, vel.x, boundsMin.x, boundsMax.x);
    bounceStep(pos.y, vel.y, boundsMin.y, boundsMax.y);
}

void Player::advanceLife()
{
    if (state == Appearing) {
        counter++;
        if (grown())
            state = Alive;
    } else if (state == Dying) {
        counter--;
        if (counter <= 0)
            state = Dead;
    }
}

void Player::changeFace()
{
    faceTimer--;
    if (faceTimer > 0)
        return;
    prevFace = face;
    fadeTimer = FADE_TICKS;
    face = std::rand() % FACE_COUNT;
    faceTimer = std::rand() % FACE_TIME_RANGE + FACE_TIME_MIN;
}

void Player::emitTrail()
{
    int trailLength = clampedTrailLength(settings.maxParticles);
    if (static_cast<int>(particles.size()) < trailLength && particleDelay == 0) {
        float vx = randomSpread(TRAIL_SPREAD_DIVISOR);
        float vy = randomSpread(TRAIL_SPREAD_DIVISOR);
        particles.push_back(makeParticle(pos.x, pos.y, vx, vy, trailLength));
        particleDelay = PARTICLE_DELAY;
    }
    if (particleDelay > 0)
        particleDelay--;
}

Particle Player::makeParticle(float x, float y, float vx, float vy, int life)
{
    return Particle{x, y, vx, vy, particleOpacity(life - 1), life};
}

int Player::particleOpacity(int life)
{
    int trailLength = clampedTrailLength(settings.maxParticles);
    if (trailLength <= 0 || life <= 0)
        return 0;
    return (FULL_OPACITY * life) / trailLength;
}

void Player::stepParticles()
{
    for (auto it = particles.begin(); it != particles.end();) {
        if (it->life <= 0) {
            it = particles.erase(it);
            continue;
        }
        it->life--;
        it->x += it->vx;
        it->y += it->vy;
        it->alpha = particleOpacity(it->life);
        ++it;
    }
}

void Player::setOpacity(int opacity) { set_trans_blender(255, 255, 255, std::clamp(opacity, 0, BLENDER_MAX)); }

BITMAP* Player::faceBitmap(int faceIndex) const
{
    int index = faceSet + faceIndex;
    return index >= 0 && index < static_cast<int>(std::size(faceBitmaps)) ? faceBitmaps[index] : nullptr;
}

// Faces k and k + 4 share a tail, so the whole trail switches with the face.
BITMAP* Player::tailBitmap() const
{
    int index = face % TAIL_COUNT + tailSet;
    return index >= 0 && index < static_cast<int>(std::size(tailBitmaps)) ? tailBitmaps[index] : nullptr;
}

void Player::draw(BITMAP* target, const Camera& camera)
{
    int rad = clampedRadius(settings.rad);
    BITMAP* scratch = spriteScratchOfSize(2 * rad);
    int sx = camera.screenX(pos.x);
    int sy = camera.screenY(pos.y);

    BITMAP* tail = tailBitmap();
    for (const Particle& particle : particles)
        drawLayer(target, tail, camera.screenX(particle.x) - rad, camera.screenY(particle.y) - rad, particle.alpha,
                  scratch);
    if (fadeTimer > 0)
        drawLayer(target, faceBitmap(prevFace), sx - rad, sy - rad, FADE_OPACITY_STEP * fadeTimer, scratch);
    drawLayer(target, faceBitmap(face), sx - rad, sy - rad, FADE_OPACITY_STEP * (FADE_TICKS - fadeTimer), scratch);
}

// Scaling goes through the scratch because the library cannot stretch and
// blend in one call. Without a scratch the sprite is drawn at full size
// rather than not at all.
void Player::drawLayer(BITMAP* target, BITMAP* sprite, int x, int y, int opacity, BITMAP* scratch) const
{
    if (!sprite)
        return;
    setOpacity(opacity);
    if (state == Alive || !scratch) {
        draw_trans_sprite(target, sprite, x, y);
        return;
    }
    int rad = clampedRadius(settings.rad);
    int half = (rad * counter) / FULL_SIZE;
    clear_to_color(scratch, maskColour());
    stretch_sprite(scratch, sprite, rad - half, rad - half, 2 * half, 2 * half);
    draw_trans_sprite(target, scratch, x, y);
}
