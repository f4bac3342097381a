#include <gtest/gtest.h>

#include "world/Object.h"
#include "WorldTestSupport.h"

using ObjectMove = WorldTest;

TEST_F(ObjectMove, StopsAtTheUpperCornerAndKeepsPushing)
{
    Object object;
    object.pos = Vector(1022.0f, 766.5f);
    object.vel = Vector(3.0f, 2.0f);
    for (int tick = 0; tick < 5; tick++) {
        object.update();
        EXPECT_EQ(1024.0f, object.pos.x);
        EXPECT_EQ(768.0f, object.pos.y);
    }
    EXPECT_EQ(3.0f, object.vel.x);
    EXPECT_EQ(2.0f, object.vel.y);
}

TEST_F(ObjectMove, StopsAtTheLowerCornerAndMovesFreelyInside)
{
    Object object;
    object.pos = Vector(500.0f, 1.5f);
    object.vel = Vector(-2.5f, -2.0f);
    object.update();
    EXPECT_EQ(497.5f, object.pos.x);
    EXPECT_EQ(0.0f, object.pos.y);
    EXPECT_EQ(-2.0f, object.vel.y);
}

TEST_F(ObjectMove, InAnEmptyBoxTheLowerCornerWins)
{
    Object object;
    object.boundsMin = Vector(10.0f, 20.0f);
    object.boundsMax = Vector(5.0f, 5.0f);
    object.update();
    EXPECT_EQ(10.0f, object.pos.x);
    EXPECT_EQ(20.0f, object.pos.y);
}

TEST_F(ObjectMove, RandomBelowMakesOneDrawEvenForAnEmptySpan)
{
    srand(17);
    rand();
    int second = rand();
    srand(17);
    EXPECT_EQ(0, randomBelow(0));
    EXPECT_EQ(second % 1000, randomBelow(1000));
}
