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

// The golden replays pin each draw; over many stars the sky must reach every
// corner of the world and every grey from dim to bright, and nothing beyond.
TEST_F(CameraStar, StarsFillTheWholeWorldInEveryGrey)
{
    float left = 1024.0f, top = 768.0f, right = 0.0f, bottom = 0.0f;
    int dimmest = 255, brightest = 0;
    for (int i = 0; i < 20000; i++) {
        Star star;
        star.reset();
        left = std::min(left, star.pos.x);
        top = std::min(top, star.pos.y);
        right = std::max(right, star.pos.x);
        bottom = std::max(bottom, star.pos.y);
        const int grey = getr(star.color);
        ASSERT_EQ(makecol(grey, grey, grey), star.color);
        dimmest = std::min(dimmest, grey);
        brightest = std::max(brightest, grey);
    }
    EXPECT_EQ(0.0f, left);
    EXPECT_EQ(0.0f, top);
    EXPECT_EQ(1023.0f, right);
    EXPECT_EQ(767.0f, bottom);
    EXPECT_EQ(64, dimmest);
    EXPECT_EQ(191, brightest);
}
