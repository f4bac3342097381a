#include <gtest/gtest.h>

#include "world/AIInput.h"
#include "world/Player.h"
#include "world/Soul.h"
#include "WorldTestSupport.h"

namespace {

struct Flags {
    bool left, right, up, down;
};

class Chase : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        target.pos = Vector(500.0f, 400.0f);
        chaser.owner = &owner;
        chaser.target = &target;
    }

    // Places the owner at the given offset from the target and asks once.
    Flags ask(float dx, float dy, float vx = 0.0f, float vy = 0.0f)
    {
        owner.pos = Vector(target.pos.x + dx, target.pos.y + dy);
        owner.vel = Vector(vx, vy);
        chaser.update();
        return answers();
    }

    Flags answers() { return Flags{chaser.left(), chaser.right(), chaser.up(), chaser.down()}; }

    Object target;
    Player owner;
    AIInput chaser;
};

void expectFlags(const Flags& expected, const Flags& actual, const char* what)
{
    EXPECT_EQ(expected.left, actual.left) << what;
    EXPECT_EQ(expected.right, actual.right) << what;
    EXPECT_EQ(expected.up, actual.up) << what;
    EXPECT_EQ(expected.down, actual.down) << what;
}

} // namespace

TEST_F(Chase, SteersInEightDirections)
{
    expectFlags({true, false, false, false}, ask(100, 0), "target to the left");
    expectFlags({false, true, false, false}, ask(-100, 0), "target to the right");
    expectFlags({false, false, true, false}, ask(0, 100), "target above");
    expectFlags({false, false, false, true}, ask(0, -100), "target below");
    expectFlags({true, false, true, false}, ask(100, 100), "up-left");
    expectFlags({false, true, true, false}, ask(-100, 100), "up-right");
    expectFlags({true, false, false, true}, ask(100, -50), "down-left at exactly twice");
    expectFlags({false, true, false, true}, ask(-100, -100), "down-right");
    expectFlags({true, false, false, false}, ask(101, -50), "more than twice goes straight");
    expectFlags({false, false, true, false}, ask(-30, 100), "up only");
}

TEST_F(Chase, OnTheTargetSteersRightAndDown)
{
    expectFlags({false, true, false, true}, ask(0, 0), "on target");
}

TEST_F(Chase, FarAndMovingAwayKeepsItsLastSteering)
{
    ask(-100, 100);
    expectFlags({false, true, true, false}, ask(300, 0, 1.0f, 0.0f), "far, moving away");
    expectFlags({true, false, false, false}, ask(300, 0, -1.0f, 0.0f), "far, moving back");
    ask(-100, 100);
    expectFlags({true, false, false, false}, ask(300, 0), "far, standing");
    ask(-100, 100);
    expectFlags({false, true, true, false}, ask(0, -300, 3.0f, -0.5f), "far, away on y only");
}

TEST_F(Chase, WithinTwoHundredUnitsAlwaysSteersAgain)
{
    ask(-100, 100);
    expectFlags({true, false, false, false}, ask(150, 0, 2.0f, 0.0f), "near, moving away");
    ask(-100, 100);
    expectFlags({true, false, false, false}, ask(200, 0, 2.0f, 0.0f), "exactly 200 away");
}

TEST_F(Chase, AnswersFalseUntilItHasSomethingToChase)
{
    AIInput fresh;
    EXPECT_FALSE(fresh.left() || fresh.right() || fresh.up() || fresh.down());
    fresh.update();
    EXPECT_FALSE(fresh.left() || fresh.right() || fresh.up() || fresh.down());

    ask(100, 100);
    chaser.target = nullptr;
    chaser.update();
    expectFlags({false, false, false, false}, answers(), "target gone");
    chaser.target = &target;
    chaser.owner = nullptr;
    chaser.update();
    expectFlags({false, false, false, false}, answers(), "owner gone");
}

TEST_F(Chase, ASoulsFirstUpdateAlreadyChasesItsTarget)
{
    Soul soul;
    soul.pos = Vector(800.0f, 400.0f);
    soul.vel = Vector(0.0f, 0.0f);
    soul.setTarget(&target);
    EXPECT_EQ(&target, soul.aiInput()->target);
    soul.update();
    EXPECT_EQ(-0.04f, soul.vel.x);
    EXPECT_EQ(0.0f, soul.vel.y);
}

TEST_F(Chase, ASoulWithoutATargetDriftsToAStop)
{
    Soul soul;
    soul.pos = Vector(500.0f, 400.0f);
    soul.vel = Vector(1.0f, -1.0f);
    soul.update();
    EXPECT_EQ(0.98f, soul.vel.x);
    EXPECT_EQ(-0.98f, soul.vel.y);
}
