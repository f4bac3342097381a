#include <allegro.h>
#include <gtest/gtest.h>

#include "world/Player.h"
#include "WorldTestSupport.h"

namespace {

class PlayerSteering : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        player.reset();
    }

    Player player;
};

} // namespace

TEST_F(PlayerSteering, HeldLeftReachesTheCapAfter100TicksThenDecaysByDec)
{
    ScriptedInput& input = script(player);
    input.goLeft = true;
    for (int tick = 0; tick < 99; tick++)
        player.update();
    EXPECT_GT(player.vel.x, -3.97f);
    player.update();
    EXPECT_NEAR(-4.0f, player.vel.x, 1e-4f);
    player.update();
    EXPECT_EQ(-4.0f, player.vel.x);
    EXPECT_EQ(0.0f, player.vel.y);

    input.goLeft = false;
    player.update();
    EXPECT_EQ(-4.0f * 0.98f, player.vel.x);
    player.update();
    EXPECT_EQ(-4.0f * 0.98f * 0.98f, player.vel.x);
}

TEST_F(PlayerSteering, OpposingKeysSteerLeftAndUp)
{
    ScriptedInput& input = script(player);
    input.goLeft = input.goRight = input.goUp = input.goDown = true;
    player.update();
    EXPECT_EQ(-0.04f, player.vel.x);
    EXPECT_EQ(-0.04f, player.vel.y);
}

TEST_F(PlayerSteering, AccelerationAndDampingAreReadEachTick)
{
    ScriptedInput& input = script(player);
    input.goDown = true;
    settings.acc = 0.5f;
    player.vel.x = 2.0f;
    settings.dec = 0.5f;
    player.update();
    EXPECT_EQ(1.0f, player.vel.x);
    EXPECT_EQ(0.5f, player.vel.y);
}

TEST_F(PlayerSteering, ArrowKeysSteerTheUsersCreatureLive)
{
    key[KEY_RIGHT] = 1;
    key[KEY_UP] = 1;
    player.update();
    EXPECT_EQ(0.04f, player.vel.x);
    EXPECT_EQ(-0.04f, player.vel.y);
    key[KEY_RIGHT] = 0;
    key[KEY_UP] = 0;
    key[KEY_LEFT] = 1;
    key[KEY_DOWN] = 1;
    player.update();
    EXPECT_FLOAT_EQ(0.0f, player.vel.x);
    EXPECT_FLOAT_EQ(0.0f, player.vel.y);
}

TEST_F(PlayerSteering, BounceAtTheRightEdgeTurnsFourIntoMinusOne)
{
    ScriptedInput& input = script(player);
    input.goRight = true;
    player.pos.x = 1000.0f;
    player.vel.x = 4.0f;
    player.update();
    EXPECT_EQ(1004.0f, player.pos.x);
    EXPECT_EQ(4.0f, player.vel.x);
    player.update();
    EXPECT_EQ(1004.0f, player.pos.x);
    EXPECT_EQ(-1.0f, player.vel.x);
}

TEST_F(PlayerSteering, LandingExactlyOnTheLowerEdgeStandsAndBelowItBounces)
{
    ScriptedInput& input = script(player);
    input.goLeft = true;
    player.pos.x = 20.0f;
    player.vel.x = -4.0f;
    player.update();
    EXPECT_EQ(16.0f, player.pos.x);
    EXPECT_EQ(-4.0f, player.vel.x);
    player.update();
    EXPECT_EQ(16.0f, player.pos.x);
    EXPECT_EQ(1.0f, player.vel.x);
}

TEST_F(PlayerSteering, LandingExactlyOnTheBottomEdgeBounces)
{
    player.pos.y = 748.0f;
    player.vel.y = 4.0f;
    settings.dec = 1.0f;
    player.update();
    EXPECT_EQ(748.0f, player.pos.y);
    EXPECT_EQ(-1.0f, player.vel.y);
}

TEST_F(PlayerSteering, MovementBoxKeepsTheRadiusFromTheEdges)
{
    settings.rad = 20;
    Player wide;
    EXPECT_EQ(20.0f, wide.boundsMin.x);
    EXPECT_EQ(20.0f, wide.boundsMin.y);
    EXPECT_EQ(1004.0f, wide.boundsMax.x);
    EXPECT_EQ(748.0f, wide.boundsMax.y);
}

TEST_F(PlayerSteering, ADeadCreatureStillMoves)
{
    player.state = Dead;
    player.vel = Vector(1.0f, 0.0f);
    settings.dec = 1.0f;
    player.update();
    EXPECT_EQ(513.0f, player.pos.x);
    EXPECT_EQ(Dead, player.state);
}
