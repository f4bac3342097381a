#include <allegro.h>
#include <cmath>
#include <gtest/gtest.h>

#include "frame/Resources.h"
#include "world/Powerup.h"
#include "StandInResources.h"
#include "WorldTestSupport.h"

using PowerupLife = WorldTest;

namespace {

int updatesUntilDead(Powerup& powerup, int limit)
{
    for (int tick = 1; tick <= limit; tick++) {
        powerup.update();
        if (powerup.state == Dead)
            return tick;
    }
    return -1;
}

} // namespace

// A power-up lands on a whole pixel, anywhere it shows whole: 16 pixels in
// from every edge of the world, and over many of them in every corner.
TEST_F(PowerupLife, LandsInWholeUnitsAnywhereItShowsWhole)
{
    float left = 1024.0f, top = 768.0f, right = 0.0f, bottom = 0.0f;
    for (int i = 0; i < 20000; i++) {
        Powerup powerup(Powerup::Heal3);
        ASSERT_EQ(std::floor(powerup.pos.x), powerup.pos.x);
        ASSERT_EQ(std::floor(powerup.pos.y), powerup.pos.y);
        left = std::min(left, powerup.pos.x);
        top = std::min(top, powerup.pos.y);
        right = std::max(right, powerup.pos.x);
        bottom = std::max(bottom, powerup.pos.y);
    }
    EXPECT_EQ(16.0f, left);
    EXPECT_EQ(16.0f, top);
    EXPECT_EQ(1007.0f, right);
    EXPECT_EQ(751.0f, bottom);
}

TEST_F(PowerupLife, ConstructorStartsAppearingWithItsKindAndStillness)
{
    Powerup powerup(Powerup::Money1000);
    EXPECT_EQ(Powerup::Money1000, powerup.kind);
    EXPECT_EQ(600.0f, powerup.health);
    EXPECT_EQ(Appearing, powerup.state);
    EXPECT_EQ(0, powerup.counter);
    EXPECT_EQ(0.0f, powerup.vel.x);
}

TEST_F(PowerupLife, UncollectedGrowsInWaitsAndIsDeadAtUpdate660)
{
    Powerup powerup(Powerup::Hurt15);
    Vector start = powerup.pos;
    PlayerState states[661];
    int counters[661];
    for (int tick = 1; tick <= 660; tick++) {
        powerup.update();
        states[tick] = powerup.state;
        counters[tick] = powerup.counter;
    }
    EXPECT_EQ(Appearing, states[59]);
    EXPECT_EQ(Alive, states[60]);
    EXPECT_EQ(Alive, states[599]);
    EXPECT_EQ(Appearing, states[600]);
    EXPECT_EQ(30, counters[630]);
    EXPECT_EQ(Appearing, states[659]);
    EXPECT_EQ(Dead, powerup.state);
    EXPECT_EQ(start.x, powerup.pos.x);
    EXPECT_EQ(start.y, powerup.pos.y);
}

TEST_F(PowerupLife, CollectedBurstsAndIsDead90UpdatesLater)
{
    Powerup powerup(Powerup::Money5000);
    for (int tick = 0; tick < 100; tick++)
        powerup.update();
    ASSERT_EQ(Alive, powerup.state);
    size_t fountain = powerup.particles.size();

    powerup.collect();
    EXPECT_EQ(Dying, powerup.state);
    EXPECT_EQ(30.0f, powerup.health);
    EXPECT_EQ(fountain + 60, powerup.particles.size());
    for (int tick = 0; tick < 30; tick++) {
        size_t before = powerup.particles.size();
        powerup.update();
        EXPECT_LE(powerup.particles.size(), before);
    }
    EXPECT_EQ(Appearing, powerup.state);
    EXPECT_EQ(60, updatesUntilDead(powerup, 100));
}

TEST_F(PowerupLife, ACollectedFountainStopsUntilItShrinksAway)
{
    Powerup powerup(Powerup::Money5000);
    for (int tick = 0; tick < 100; tick++)
        powerup.update();
    powerup.collect();
    powerup.particles.clear();
    for (int tick = 0; tick < 29; tick++) {
        powerup.update();
        EXPECT_TRUE(powerup.particles.empty());
    }
    powerup.update();
    powerup.update();
    EXPECT_EQ(1u, powerup.particles.size());
}

TEST_F(PowerupLife, BurstSpreadsEveryWayAndStartsAtItsFirstStepsOpacity)
{
    Powerup powerup(Powerup::Money5000);
    powerup.particles.clear();
    powerup.collect();
    ASSERT_EQ(60u, powerup.particles.size());
    bool ways[2][2] = {};
    for (const Particle& particle : powerup.particles) {
        EXPECT_GE(particle.vx, -2.0f);
        EXPECT_LT(particle.vx, 2.0f);
        EXPECT_GE(particle.vy, -2.0f);
        EXPECT_LT(particle.vy, 2.0f);
        ways[particle.vx > 0][particle.vy > 0] = true;
        EXPECT_EQ(30, particle.life);
        EXPECT_EQ(72, particle.alpha);
        EXPECT_EQ(powerup.pos.x, particle.x);
    }
    EXPECT_TRUE(ways[0][0] && ways[0][1] && ways[1][0] && ways[1][1]);
    powerup.update();
    EXPECT_EQ(72, powerup.particles[0].alpha);
}

TEST_F(PowerupLife, FullFountainEmitsNothingUntilAStarGoes)
{
    Powerup powerup(Powerup::Heal3);
    powerup.particles.assign(14, Particle{0, 0, 0, 0, 100, 1000});
    powerup.update();
    EXPECT_EQ(15u, powerup.particles.size());
    for (int tick = 0; tick < 10; tick++)
        powerup.update();
    EXPECT_EQ(15u, powerup.particles.size());
    powerup.particles.front().life = 0;
    powerup.update();
    EXPECT_EQ(14u, powerup.particles.size());
    powerup.update();
    EXPECT_EQ(15u, powerup.particles.size());
}

TEST_F(PowerupLife, FountainIsFifteenStarsWhateverTheTrailLength)
{
    settings.maxParticles = 60;
    Powerup powerup(Powerup::Heal3);
    size_t most = 0;
    for (int tick = 0; tick < 300; tick++) {
        powerup.update();
        most = std::max(most, powerup.particles.size());
    }
    EXPECT_EQ(15u, most);
}

TEST_F(PowerupLife, WithParticlesOffTheFountainIsEmptyAndTheBurstInvisible)
{
    settings.maxParticles = 0;
    StandInResources resources;
    View view;
    Powerup powerup(Powerup::Money15000);
    for (int tick = 0; tick < 100; tick++) {
        powerup.update();
        EXPECT_TRUE(powerup.particles.empty());
    }
    powerup.pos = Vector(100.0f, 100.0f);
    powerup.collect();
    ASSERT_EQ(60u, powerup.particles.size());
    EXPECT_EQ(0, powerup.particles[0].alpha);
    powerup.draw(view.target, view.camera);
    powerup.update();
    EXPECT_EQ(29, powerup.particles[0].life);
    powerup.draw(view.target, view.camera);
    EXPECT_EQ(0, changedPixels(view.target, makecol(0, 0, 0)).count);
    EXPECT_EQ(90, updatesUntilDead(powerup, 200) + 1);
}

namespace {

// Solid white stars, so the drawn area shows the star's size.
class PowerupDraw : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        for (BITMAP*& star : starBitmaps)
            replaceBitmap(star, solidBitmap(12, 255, 255, 255));
        powerup.particles.clear();
        powerup.particles.push_back(Particle{100.0f, 80.0f, 0.0f, 0.0f, 100, 10});
    }

    PixelBox drawn()
    {
        clear_to_color(view.target, makecol(0, 0, 0));
        powerup.draw(view.target, view.camera);
        return changedPixels(view.target, makecol(0, 0, 0));
    }

    StandInResources resources;
    View view;
    Powerup powerup{Powerup::Hurt3};
};

} // namespace

TEST_F(PowerupDraw, StarsAreFullSizeAtThreeQuartersOpacityWhileAliveOrDying)
{
    powerup.state = Alive;
    PixelBox box = drawn();
    EXPECT_EQ(144, box.count);
    EXPECT_EQ(94, box.left);
    EXPECT_EQ(74, box.top);
    EXPECT_EQ(255 * 76 / 256, getr(getpixel(view.target, 100, 80)));

    powerup.state = Dying;
    powerup.counter = 60;
    EXPECT_EQ(144, drawn().count);
}

TEST_F(PowerupDraw, StarsShrinkWithTheCounterOtherwise)
{
    powerup.state = Appearing;
    powerup.counter = 30;
    PixelBox box = drawn();
    EXPECT_EQ(36, box.count);
    EXPECT_EQ(97, box.left);
    EXPECT_EQ(77, box.top);

    powerup.counter = 9;
    EXPECT_EQ(0, drawn().count);
}

TEST_F(PowerupDraw, DrawnBeforeAnyCreatureMakesAScratchBigEnoughForAStar)
{
    destroySpriteScratch();
    settings.rad = 4;
    powerup.state = Appearing;
    powerup.counter = 60;
    PixelBox box = drawn();
    ASSERT_NE(nullptr, spriteScratch);
    EXPECT_EQ(144, box.count);
    EXPECT_EQ(94, box.left);
    EXPECT_EQ(74, box.top);
}
