#pragma once

#include <string>

#include "frame/AssetManifest.h"
#include "world/Player.h"

// A collectable shown as a fountain of star sprites. It grows in, waits for
// LIFETIME ticks and shrinks away, or bursts when the play screen collects
// it. It borrows the Player's life phases, counter and particles; health is
// its remaining lifetime in ticks. It never moves, and its controller is
// never asked. The play screen owns it and applies the effect of its kind.
class Powerup : public Player {
public:
    // The kinds in the order a new power-up's kind is drawn, which is also
    // the order of their star sprites.
    enum Kind {
        Hurt15,
        Money5000,
        Money15000,
        Money1000,
        Heal3,
        Hurt3,
        Heal15,
    };
    static constexpr int KIND_COUNT = Heal15 + 1;
    static_assert(KIND_COUNT == AssetManifest::STARS, "a star sprite for every kind");

    // What collecting a kind does: money to the score, or health gained (up
    // to the ceiling) or lost.
    struct Effect {
        enum Type { Money, Heal, Hurt } type;
        int amount;
    };
    static const Effect EFFECTS[KIND_COUNT];
    const Effect& effect() const { return EFFECTS[kind]; }

    // The text that rises where a kind is collected: "$5000", "+3HP", "-15HP".
    static std::string effectText(const Effect& effect);
    // Money earned, as every floating text shows it.
    static std::string moneyText(int amount);

    static constexpr float LIFETIME = 600.0f;
    static constexpr float BURST_TIME = 30.0f;
    static constexpr int BURST_PARTICLES = 60;
    static constexpr int BURST_LIFE = 30;
    static constexpr int FOUNTAIN_LIMIT = 15;  // independent of the trail length setting
    static constexpr int STAR_HALF = 6;        // star sprites are 12 by 12
    static constexpr int SCALE_DIVISOR = 10;   // counter / 10 gives the half-size 0 to 6

    explicit Powerup(Kind kind);

    // A random place in whole units inside the box (x, then y), and a full
    // lifetime. Phase and fountain are not touched.
    void reset() override;
    void update() override;
    void draw(BITMAP* target, const Camera& camera) override;
    // Bursts into BURST_PARTICLES stars and dies away; call only while Alive.
    virtual void collect();

    Kind kind;

private:
    void advancePhase();
    void emitFountain();
    void spendLifetime();
};
