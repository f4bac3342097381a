#pragma once

#include "world/Player.h"

// A collectable shown as a fountain of star sprites. It grows in, waits for
// LIFETIME ticks and shrinks away, or bursts when the play screen collects
// it. It borrows the Player's life phases, counter and particles; health is
// its remaining lifetime in ticks. It never moves, and its controller is
// never asked. The play screen owns it and applies the effect of its kind.
class Powerup : public Player {
public:
    static constexpr int KIND_COUNT = 7;
    static constexpr float LIFETIME = 600.0f;
    static constexpr float BURST_TIME = 30.0f;
    static constexpr int BURST_PARTICLES = 60;
    static constexpr int BURST_LIFE = 30;
    static constexpr int FOUNTAIN_LIMIT = 15;  // independent of the trail length setting
    static constexpr int STAR_HALF = 6;        // star sprites are 12 by 12
    static constexpr int SCALE_DIVISOR = 10;   // counter / 10 gives the half-size 0 to 6

    explicit Powerup(int kind);

    // A random place in whole units inside the box (x, then y), and a full
    // lifetime. Phase and fountain are not touched.
    void reset() override;
    void update() override;
    void draw(BITMAP* target, const Camera& camera) override;
    // Bursts into BURST_PARTICLES stars and dies away; call only while Alive.
    virtual void collect();

    int kind;

private:
    void advancePhase();
    void emitFountain();
    void spendLifetime();
    BITMAP* starBitmap() const;
};
