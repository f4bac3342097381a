#include <allegro.h>
#include <gtest/gtest.h>
#include <set>

#include "world/Player.h"
#include "world/Soul.h"
#include "world/UserInput.h"
#include "WorldTestSupport.h"

using PlayerLife = WorldTest;

// The golden replays pin the order and value of every draw; this pins what a
// player sees of them over many games: every face turns up, and no face time
// or starting speed leaves its range.
TEST_F(PlayerLife, FacesFaceTimesAndStartingSpeedsReachTheirWholeRanges)
{
    std::set<int> faces, faceTimes;
    float slowest = 0.0f, fastest = 0.0f;
    for (unsigned seed = 1; seed <= 3000; seed++) {
        srand(seed);
        Player player;
        Soul soul;
        const Player* creatures[] = {&player, &soul};
        for (const Player* creature : creatures) {
            faces.insert(creature->face);
            faceTimes.insert(creature->faceTimer);
        }
        slowest = std::min({slowest, soul.vel.x, soul.vel.y});
        fastest = std::max({fastest, soul.vel.x, soul.vel.y});
    }
    EXPECT_EQ((std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}), faces);
    EXPECT_EQ(120u, faceTimes.size());
    EXPECT_EQ(60, *faceTimes.begin());
    EXPECT_EQ(179, *faceTimes.rbegin());
    EXPECT_EQ(-1.0f, slowest);
    EXPECT_EQ(127.0f / 128.0f, fastest);
}

TEST_F(PlayerLife, ConstructorLeavesTheCreatureAppearingAtTheOrigin)
{
    Player player;
    EXPECT_EQ(0.0f, player.pos.x);
    EXPECT_EQ(0.0f, player.pos.y);
    EXPECT_EQ(Appearing, player.state);
    EXPECT_EQ(0, player.counter);
    EXPECT_EQ(45.0f, player.health);
    EXPECT_EQ(8, player.faceSet);
    EXPECT_EQ(4, player.tailSet);
    EXPECT_TRUE(player.particles.empty());
    EXPECT_NE(nullptr, dynamic_cast<UserInput*>(player.input.get()));
}

TEST_F(PlayerLife, ResetStartsAgainAtTheCentreButKeepsTrailAndController)
{
    Player player;
    player.pos = Vector(30.0f, 40.0f);
    player.vel = Vector(2.0f, -3.0f);
    player.state = Dead;
    player.counter = 0;
    player.health = -5.0f;
    player.fadeTimer = 12;
    player.particles.push_back(Particle{1, 2, 0, 0, 50, 10});
    Input* controller = player.input.get();

    player.reset();
    EXPECT_EQ(512.0f, player.pos.x);
    EXPECT_EQ(384.0f, player.pos.y);
    EXPECT_EQ(0.0f, player.vel.x);
    EXPECT_EQ(0.0f, player.vel.y);
    EXPECT_EQ(Appearing, player.state);
    EXPECT_EQ(45.0f, player.health);
    EXPECT_EQ(0, player.fadeTimer);
    EXPECT_EQ(1u, player.particles.size());
    EXPECT_EQ(controller, player.input.get());
}

TEST_F(PlayerLife, GrowsInOverSixtyTicksAndShrinksToDeadAfterDying)
{
    Player player;
    player.reset();
    for (int tick = 0; tick < 59; tick++)
        player.update();
    EXPECT_EQ(Appearing, player.state);
    EXPECT_EQ(59, player.counter);
    player.update();
    EXPECT_EQ(Alive, player.state);
    player.update();
    EXPECT_EQ(60, player.counter);

    player.state = Dying;
    for (int tick = 0; tick < 59; tick++)
        player.update();
    EXPECT_EQ(Dying, player.state);
    EXPECT_EQ(1, player.counter);
    player.update();
    EXPECT_EQ(Dead, player.state);
    player.update();
    EXPECT_EQ(0, player.counter);
}

TEST_F(PlayerLife, KilledWhileAppearingShrinksFromItsCurrentSize)
{
    Player player;
    for (int tick = 0; tick < 10; tick++)
        player.update();
    player.state = Dying;
    for (int tick = 0; tick < 9; tick++)
        player.update();
    EXPECT_EQ(Dying, player.state);
    player.update();
    EXPECT_EQ(Dead, player.state);
}

TEST_F(PlayerLife, StartingHealthFollowsDifficultyAndUnknownCountsAsNormal)
{
    const float expected[] = {90.0f, 45.0f, 30.0f};
    for (int difficulty = 0; difficulty < 3; difficulty++) {
        settings.difficulty = difficulty;
        EXPECT_FLOAT_EQ(expected[difficulty], Player::startingHealth()) << difficulty;
        Player player;
        EXPECT_FLOAT_EQ(expected[difficulty], player.health) << difficulty;
    }
    settings.hp1 = 60;
    settings.difficulty = 2;
    EXPECT_FLOAT_EQ(40.0f, Player::startingHealth());
    settings.difficulty = 7;
    EXPECT_EQ(60.0f, Player::startingHealth());
    settings.difficulty = -1;
    EXPECT_EQ(60.0f, Player::startingHealth());
}

TEST_F(PlayerLife, FaceChangesWhenItsTimerRunsOutAndCrossFadesForSixtyTicks)
{
    settings.maxParticles = 0;
    Player player;
    player.face = 3;
    player.faceTimer = 2;
    player.update();
    EXPECT_EQ(3, player.face);
    EXPECT_EQ(0, player.fadeTimer);

    player.update();
    EXPECT_EQ(3, player.prevFace);
    EXPECT_GE(player.faceTimer, 60);
    EXPECT_EQ(60, player.fadeTimer);
    for (int tick = 0; tick < 30; tick++)
        player.update();
    EXPECT_EQ(30, player.fadeTimer);
    for (int tick = 0; tick < 40; tick++)
        player.update();
    EXPECT_EQ(0, player.fadeTimer);
}

TEST_F(PlayerLife, TrailParticleDriftsSlowlyAndIsSteppedAtOnce)
{
    Player player;
    player.reset();
    player.faceTimer = 1000;
    player.update();
    ASSERT_EQ(1u, player.particles.size());
    const Particle& particle = player.particles[0];
    for (float speed : {particle.vx, particle.vy}) {
        EXPECT_GE(speed, -0.25f);
        EXPECT_LT(speed, 0.25f);
    }
    EXPECT_NE(0.0f, particle.vx * particle.vy);
    EXPECT_EQ(512.0f + particle.vx, particle.x);
    EXPECT_EQ(384.0f + particle.vy, particle.y);
    EXPECT_EQ(39, particle.life);
    EXPECT_EQ(97, particle.alpha);
}

TEST_F(PlayerLife, TrailDropsAParticleEveryThirdTick)
{
    Player player;
    player.faceTimer = 100000;
    const size_t expected[] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4};
    for (size_t count : expected) {
        player.update();
        EXPECT_EQ(count, player.particles.size());
    }
}

TEST_F(PlayerLife, ParticleFadesOverMaxParticlesTicksAndGoesOnTheNextUpdate)
{
    settings.maxParticles = 10;
    Player player;
    player.faceTimer = 100000;
    const int expectedAlpha[] = {90, 80, 70, 60, 50, 40, 30, 20, 10, 0};
    for (int alpha : expectedAlpha) {
        player.update();
        EXPECT_EQ(alpha, player.particles.front().alpha);
    }
    EXPECT_EQ(0, player.particles.front().life);
    EXPECT_EQ(4u, player.particles.size());

    player.update();
    ASSERT_EQ(3u, player.particles.size());
    // The particle dropped on the fourth tick is now the oldest.
    EXPECT_EQ(2, player.particles.front().life);
    EXPECT_EQ(5, player.particles[1].life);
}

TEST_F(PlayerLife, NoTrailWhenParticlesAreOff)
{
    settings.maxParticles = 0;
    Player player;
    player.particles.push_back(Particle{0, 0, 1, 1, 0, 5});
    for (int tick = 0; tick < 200; tick++)
        player.update();
    EXPECT_TRUE(player.particles.empty());
}

TEST_F(PlayerLife, ShorterTrailSettingStopsEmissionUntilTheTrailIsShorter)
{
    Player player;
    player.faceTimer = 100000;
    for (int tick = 0; tick < 39; tick++)
        player.update();
    ASSERT_EQ(13u, player.particles.size());
    settings.maxParticles = 5;
    size_t before = player.particles.size();
    for (int tick = 0; tick < 20; tick++) {
        player.update();
        EXPECT_LE(player.particles.size(), before);
        before = player.particles.size();
    }
}

TEST_F(PlayerLife, SoulStartsWithTheGSetsAndAChaser)
{
    Soul soul;
    EXPECT_EQ(0.0f, soul.pos.x);
    EXPECT_EQ(0, soul.faceSet);
    EXPECT_EQ(0, soul.tailSet);
    EXPECT_EQ(Appearing, soul.state);
    ASSERT_NE(nullptr, soul.aiInput());
    EXPECT_EQ(&soul, soul.aiInput()->owner);
    EXPECT_EQ(nullptr, soul.aiInput()->target);
}

TEST_F(PlayerLife, SoulResetChangesOnlyTheVelocity)
{
    Soul soul;
    soul.pos = Vector(100.0f, 200.0f);
    soul.state = Alive;
    soul.health = 3.0f;
    const Vector startingSpeed = soul.vel;
    soul.reset();
    EXPECT_FALSE(startingSpeed.x == soul.vel.x && startingSpeed.y == soul.vel.y);
    EXPECT_EQ(100.0f, soul.pos.x);
    EXPECT_EQ(Alive, soul.state);
    EXPECT_EQ(3.0f, soul.health);
}

TEST_F(PlayerLife, SoulHealthFollowsDifficultyAndUnknownCountsAsNormal)
{
    const float expected[] = {5.0f, 10.0f, 15.0f};
    for (int difficulty = 0; difficulty < 3; difficulty++) {
        settings.difficulty = difficulty;
        Soul soul;
        EXPECT_EQ(expected[difficulty], soul.health) << difficulty;
        EXPECT_EQ(expected[difficulty], Soul::startingHealth()) << difficulty;
    }
    settings.difficulty = 3;
    EXPECT_EQ(10.0f, Soul::startingHealth());
}
