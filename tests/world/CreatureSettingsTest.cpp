#include <allegro.h>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "StandInResources.h"
#include "WorldTestSupport.h"
#include "settings/Settings.h"
#include "world/Camera.h"
#include "world/Player.h"
#include "world/Powerup.h"

// Creatures under values a hand-edited configuration file can hold: whatever
// the file says, positions stay numbers, trails and sprites stay bounded, and
// the record itself keeps what the file said.

namespace {

constexpr float NOT_A_NUMBER = std::numeric_limits<float>::quiet_NaN();
constexpr float INFINITE = std::numeric_limits<float>::infinity();
constexpr float LARGEST = std::numeric_limits<float>::max();

using CreatureSettings = WorldTest;

// A user's creature at the centre, steered by the test.
struct SteeredPlayer {
    SteeredPlayer() : controls(script(player)) { player.reset(); }
    Player player;
    ScriptedInput& controls;
};

// The velocity after holding left for held ticks and letting go for as many.
float velocityAfterHoldAndRelease(int held)
{
    SteeredPlayer steered;
    steered.controls.goLeft = true;
    for (int i = 0; i < held; i++)
        steered.player.update();
    steered.controls.goLeft = false;
    for (int i = 0; i < held; i++)
        steered.player.update();
    return steered.player.vel.x;
}

bool finite(const Vector& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

} // namespace

TEST_F(CreatureSettings, AccelerationOrDampingThatIsNoNumberSteersLikeTheDefault)
{
    const float expected = velocityAfterHoldAndRelease(30);
    ASSERT_LT(expected, 0.0f);
    for (float bad : {NOT_A_NUMBER, INFINITE, -INFINITE}) {
        settings = Settings();
        settings.acc = bad;
        EXPECT_FLOAT_EQ(expected, velocityAfterHoldAndRelease(30)) << "acc " << bad;
        settings = Settings();
        settings.dec = bad;
        EXPECT_FLOAT_EQ(expected, velocityAfterHoldAndRelease(30)) << "dec " << bad;
    }
}

TEST_F(CreatureSettings, HugeFiniteAccelerationOrDampingStaysWithinTheSpeedCap)
{
    for (float bad : {LARGEST, -LARGEST, 1e30f, -1e30f}) {
        for (bool onAcc : {true, false}) {
            settings = Settings();
            (onAcc ? settings.acc : settings.dec) = bad;
            SteeredPlayer steered;
            std::srand(5);
            for (int i = 0; i < 300; i++) {
                steered.controls.goLeft = std::rand() % 3 == 0;
                steered.controls.goDown = std::rand() % 3 == 0;
                steered.player.update();
                ASSERT_TRUE(finite(steered.player.pos)) << (onAcc ? "acc " : "dec ") << bad;
                ASSERT_LE(std::fabs(steered.player.vel.x), Player::MAX_SPEED);
                ASSERT_LE(std::fabs(steered.player.vel.y), Player::MAX_SPEED);
            }
        }
    }
}

TEST_F(CreatureSettings, AVelocityThatIsNoNumberStopsInsteadOfPoisoningThePosition)
{
    SteeredPlayer steered;
    steered.player.vel = Vector(NOT_A_NUMBER, NOT_A_NUMBER);
    steered.player.update();
    EXPECT_EQ(0.0f, steered.player.vel.x);
    EXPECT_EQ(0.0f, steered.player.vel.y);
    EXPECT_EQ(512.0f, steered.player.pos.x);
    EXPECT_EQ(384.0f, steered.player.pos.y);
}

TEST_F(CreatureSettings, AnEndlessTrailIsAsLongAsTheLongestAllowed)
{
    auto trailAfter = [](int maxParticles, int ticks) {
        settings.maxParticles = maxParticles;
        SteeredPlayer steered;
        for (int i = 0; i < ticks; i++)
            steered.player.update();
        return steered.player.particles;
    };
    const size_t longest = trailAfter(MAX_PARTICLES, 4 * MAX_PARTICLES).size();
    ASSERT_GT(longest, 0u);
    for (int bad : {MAX_PARTICLES + 1, 1000000, INT_MAX}) {
        std::vector<Particle> trail = trailAfter(bad, 4 * MAX_PARTICLES);
        EXPECT_EQ(longest, trail.size()) << bad;
        for (const Particle& particle : trail) {
            ASSERT_LE(particle.life, MAX_PARTICLES) << bad;
            ASSERT_GE(particle.alpha, 0) << bad;
            ASSERT_LE(particle.alpha, 100) << bad;
        }
    }
}

TEST_F(CreatureSettings, APowerupsStarsLiveNoLongerThanTheLongestTrail)
{
    settings.maxParticles = INT_MAX;
    Powerup powerup(Powerup::Hurt15);
    for (int i = 0; i < 100; i++)
        powerup.update();
    ASSERT_FALSE(powerup.particles.empty());
    for (const Particle& particle : powerup.particles) {
        EXPECT_LE(particle.life, MAX_PARTICLES);
        EXPECT_LE(particle.alpha, 100);
    }
}

TEST_F(CreatureSettings, ANegativeRadiusMovesInTheWholeWorldLikeRadiusZero)
{
    for (int bad : {-1, -16, INT_MIN}) {
        settings.rad = bad;
        Player player;
        EXPECT_EQ(0.0f, player.boundsMin.x) << bad;
        EXPECT_EQ(0.0f, player.boundsMin.y) << bad;
        EXPECT_EQ(Object::WORLD_WIDTH, player.boundsMax.x) << bad;
        EXPECT_EQ(Object::WORLD_HEIGHT, player.boundsMax.y) << bad;
    }
}

TEST_F(CreatureSettings, AHugeRadiusPlaysAndDrawsLikeTheLargestAllowed)
{
    StandInResources resources;
    Picture target;
    Camera camera;
    for (int bad : {MAX_RADIUS + 1, 100000, INT_MAX}) {
        settings.rad = bad;
        Player player;
        EXPECT_EQ(static_cast<float>(MAX_RADIUS), player.boundsMin.x) << bad;
        EXPECT_EQ(Object::WORLD_HEIGHT - MAX_RADIUS, player.boundsMax.y) << bad;
        player.reset();
        player.counter = 30;  // half grown: drawn through the scratch
        player.draw(target, camera);
        ASSERT_NE(nullptr, spriteScratch) << bad;
        EXPECT_EQ(2 * MAX_RADIUS, spriteScratch->w) << bad;
        EXPECT_EQ(2 * MAX_RADIUS, spriteScratch->h) << bad;

        Powerup powerup(Powerup::Money5000);
        powerup.update();
        powerup.draw(target, camera);
        EXPECT_EQ(2 * MAX_RADIUS, spriteScratch->w) << bad;
    }
}

TEST_F(CreatureSettings, StartingHealthOfAnyHp1IsTwiceItOnEasyAndATwoThirdsShareOnHard)
{
    const double twice = 2.0 * INT_MAX;
    settings.hp1 = INT_MAX;
    settings.difficulty = 0;
    EXPECT_FLOAT_EQ(static_cast<float>(twice), Player::startingHealth());
    settings.difficulty = 2;
    EXPECT_FLOAT_EQ(static_cast<float>(twice / 3), Player::startingHealth());
    settings.hp1 = INT_MIN;
    settings.difficulty = 0;
    EXPECT_FLOAT_EQ(static_cast<float>(2.0 * INT_MIN), Player::startingHealth());
}
