#pragma once

#include <memory>
#include <vector>

#include "frame/AssetManifest.h"
#include "world/Input.h"
#include "world/Object.h"

// Life phases of creatures and power-ups.
enum PlayerState {
    Appearing = 0,
    Alive = 1,
    Dying = 2,
    Dead = 3,
};

// One sprite of a creature's trail or a power-up's fountain.
struct Particle {
    float x;
    float y;
    float vx;
    float vy;
    int alpha;  // opacity given to the blender: 100 * life / maxParticles
    int life;   // ticks left
};

// Off-screen bitmap that every creature and power-up scales a sprite into
// before drawing it translucently. Made by the first draw that needs it and
// kept to the end of the program; null until then.
extern BITMAP* spriteScratch;

// Returns spriteScratch, first making it when it is missing or smaller than
// size square (a radius read later may be larger than the one it was made
// for). A scratch larger than needed is kept: its unused part stays mask
// colour and draws nothing. Null only when the bitmap cannot be created.
BITMAP* spriteScratchOfSize(int size);

// Frees spriteScratch; the next draw that needs it makes a new one.
void destroySpriteScratch();

// The game's creature: a face with a fading trail, steered by its controller
// with inertia, a speed cap and a soft bounce off the edges of the world. The
// user's creature is a plain Player with the arrow keys; Soul and Powerup
// build on it. The play screen owns creatures, changes health and vel, and
// sets state to Dying to kill one; each creature owns its controller.
class Player : public Object {
public:
    static constexpr float MAX_SPEED = 4.0f;
    static constexpr float BOUNCE = -0.25f;  // velocity kept, reversed, after hitting an edge
    static constexpr int FULL_SIZE = 60;     // counter at full size; also the ticks to grow in
    static constexpr int FACE_COUNT = AssetManifest::FACES;
    static constexpr int TAIL_COUNT = AssetManifest::TAILS;
    static constexpr int FACE_TIME_MIN = 60;
    static constexpr int FACE_TIME_RANGE = 120;
    static constexpr int FADE_TICKS = 60;
    static constexpr int FADE_OPACITY_STEP = 4;  // a settled face is drawn at 240, not 255
    static constexpr int PARTICLE_DELAY = 3;
    // Where the player's family begins among the faces and tails.
    static constexpr int PLAYER_FACE_SET = AssetManifest::firstFace(AssetManifest::PLAYER);
    static constexpr int PLAYER_TAIL_SET = AssetManifest::firstTail(AssetManifest::PLAYER);

    Player();

    // Back to the centre of the world, Appearing with a new face. The trail,
    // the controller and the movement box stay.
    void reset() override;
    void update() override;
    void draw(BITMAP* target, const Camera& camera) override;

    // The user's creature's health at the start of a game for the current
    // difficulty; a difficulty other than easy (0) or hard (2) counts as normal.
    static float startingHealth();

    // At full size: grown in, or not yet shrinking from it.
    bool grown() const { return counter >= FULL_SIZE; }

    PlayerState state;
    std::unique_ptr<Input> input;
    float health;
    int counter;
    int face;
    int prevFace;
    int faceTimer;
    int fadeTimer;
    int faceSet;
    int tailSet;
    std::vector<Particle> particles;
    int particleDelay;

protected:
    // A particle carries, until its first step, the opacity that step would
    // give it, so one appended between an update and a draw is drawn sensibly.
    static Particle makeParticle(float x, float y, float vx, float vy, int life);
    // Opacity of a particle with life ticks left; 0 when the trail length is
    // 0 ("none") or less, which has no opacity rule of its own.
    static int particleOpacity(int life);
    // Removes spent particles in place, keeping order, and steps the others.
    void stepParticles();
    // set_trans_blender with an opacity kept to what the blender can take: a
    // particle outliving a shortened trail would otherwise overflow it.
    static void setOpacity(int opacity);
    // The colour a sprite leaves transparent, which scratch bitmaps are
    // cleared to before a sprite is scaled into them.
    static int maskColour();
    // A particle's speed on one axis from one draw: -128..126 over divisor.
    static float randomSpread(float divisor);

private:
    void startLife();
    void steer();
    void moveAndBounce();
    void advanceLife();
    void changeFace();
    void emitTrail();
    // One layer at full size while Alive, otherwise scaled by counter.
    void drawLayer(BITMAP* target, BITMAP* sprite, int x, int y, int opacity, BITMAP* scratch) const;
    BITMAP* faceBitmap(int faceIndex) const;
    BITMAP* tailBitmap() const;
};
