#include <allegro.h>
#include <gtest/gtest.h>

#include "world/Camera.h"
#include "world/Star.h"
#include "WorldTestSupport.h"

using CameraStar = WorldTest;

TEST_F(CameraStar, GlidesFivePercentAndStaysInsideTheWorld)
{
    Object target;
    target.pos = Vector(512.0f, 384.0f);
    Camera camera;
    camera.setTarget(&target);

    camera.update();
    EXPECT_FLOAT_EQ(25.6f, camera.vel.x);
    EXPECT_FLOAT_EQ(19.2f, camera.vel.y);
    EXPECT_EQ(160.0f, camera.pos.x);
    EXPECT_EQ(120.0f, camera.pos.y);

    camera.update();
    EXPECT_FLOAT_EQ(177.6f, camera.pos.x);
    EXPECT_FLOAT_EQ(133.2f, camera.pos.y);
}

TEST_F(CameraStar, RestsInTheCornerAndShowsTheTargetThere)
{
    Star target;
    target.pos = Vector(1008.0f, 752.0f);
    target.color = makecol(200, 200, 200);
    View view;
    view.camera.setTarget(&target);
    for (int tick = 0; tick < 600; tick++)
        view.camera.update();
    EXPECT_EQ(864.0f, view.camera.pos.x);
    EXPECT_EQ(648.0f, view.camera.pos.y);

    target.draw(view.target, view.camera);
    PixelBox drawn = changedPixels(view.target, makecol(0, 0, 0));
    EXPECT_EQ(1, drawn.count);
    EXPECT_EQ(304, drawn.left);
    EXPECT_EQ(224, drawn.top);
}

TEST_F(CameraStar, WithoutATargetOnlyKeepsInsideItsBox)
{
    Camera camera;
    camera.pos = Vector(2000.0f, 300.0f);
    camera.update();
    EXPECT_EQ(864.0f, camera.pos.x);
    EXPECT_EQ(300.0f, camera.pos.y);
}

TEST_F(CameraStar, ScreenPointsTruncateTowardZero)
{
    View view;
    view.camera.pos = Vector(500.0f, 300.0f);
    Star nearLeftEdge;
    nearLeftEdge.pos = Vector(500.0f - 160.7f, 300.0f);
    nearLeftEdge.color = makecol(100, 100, 100);
    nearLeftEdge.draw(view.target, view.camera);
    EXPECT_EQ(makecol(100, 100, 100), getpixel(view.target, 0, 120));

    Star pastLeftEdge = nearLeftEdge;
    pastLeftEdge.pos.x = 500.0f - 161.3f;
    EXPECT_EQ(-1, view.camera.screenX(pastLeftEdge.pos.x));
    clear_to_color(view.target, makecol(0, 0, 0));
    pastLeftEdge.draw(view.target, view.camera);
    EXPECT_EQ(0, changedPixels(view.target, makecol(0, 0, 0)).count);

    EXPECT_EQ(160, view.camera.screenX(500.0f));
    EXPECT_EQ(120, view.camera.screenY(300.0f));
}

TEST_F(CameraStar, StarResetDrawsXThenYThenGrey)
{
    srand(7);
    int rx = rand();
    int ry = rand();
    int rg = rand();
    srand(7);
    Star star;
    star.reset();
    EXPECT_EQ(static_cast<float>(rx % 1024), star.pos.x);
    EXPECT_EQ(static_cast<float>(ry % 768), star.pos.y);
    int grey = rg % 128 + 64;
    EXPECT_EQ(makecol(grey, grey, grey), star.color);
}
