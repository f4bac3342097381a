#include <allegro.h>
#include <gtest/gtest.h>

#include "frame/Resources.h"
#include "world/Player.h"
#include "world/Powerup.h"
#include "StandInResources.h"
#include "WorldTestSupport.h"

namespace {

// Every face solid white and every tail invisible unless a test says
// otherwise, so a pixel's colour tells which layer drew it and how opaquely.
class PlayerDraw : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        for (BITMAP*& face : faceBitmaps)
            replaceBitmap(face, solidBitmap(32, 255, 255, 255));
        for (BITMAP*& tail : tailBitmaps)
            replaceBitmap(tail, maskBitmap(32));
        player.pos = Vector(100.0f, 80.0f);
        player.state = Alive;
        player.counter = 60;
    }

    PixelBox drawn()
    {
        player.draw(view.target, view.camera);
        return changedPixels(view.target, black);
    }

    StandInResources resources;
    View view;
    Player player;
    int black = makecol(0, 0, 0);
};

} // namespace

TEST_F(PlayerDraw, SettledFaceIsFullSizeCentredAtOpacity240)
{
    PixelBox box = drawn();
    EXPECT_EQ(32 * 32, box.count);
    EXPECT_EQ(84, box.left);
    EXPECT_EQ(64, box.top);
    EXPECT_EQ(32, box.width());
    EXPECT_EQ(32, box.height());
    EXPECT_EQ(240, getr(getpixel(view.target, 100, 80)));
}

TEST_F(PlayerDraw, HalfGrownCreatureCovers16By16Centred)
{
    player.state = Appearing;
    player.counter = 30;
    PixelBox box = drawn();
    EXPECT_EQ(16 * 16, box.count);
    EXPECT_EQ(92, box.left);
    EXPECT_EQ(72, box.top);
    EXPECT_EQ(16, box.width());
    EXPECT_EQ(16, box.height());
    EXPECT_EQ(240, getg(getpixel(view.target, 100, 80)));
}

TEST_F(PlayerDraw, CreatureAtCounterZeroDrawsNothingTrailIncluded)
{
    replaceBitmap(tailBitmaps[4], solidBitmap(32, 0, 255, 0));
    player.face = 0;
    player.particles.push_back(Particle{150.0f, 100.0f, 0.0f, 0.0f, 100, 10});
    player.state = Dead;
    player.counter = 0;
    EXPECT_EQ(0, drawn().count);
}

TEST_F(PlayerDraw, CrossFadeThirtyTicksInDrawsBothFacesAt120)
{
    settings.maxParticles = 0;
    int seed = 1;
    for (;; seed++) {
        srand(seed);
        if (rand() % 8 != 2)
            break;
    }
    player.face = 2;
    player.faceTimer = 1;
    srand(seed);
    player.update();
    ASSERT_EQ(2, player.prevFace);
    ASSERT_NE(2, player.face);
    for (int tick = 0; tick < 30; tick++)
        player.update();
    ASSERT_EQ(30, player.fadeTimer);

    replaceBitmap(faceBitmaps[8 + player.prevFace], solidBitmap(32, 255, 0, 0));
    replaceBitmap(faceBitmaps[8 + player.face], maskBitmap(32));
    player.draw(view.target, view.camera);
    int old = getpixel(view.target, int(player.pos.x), int(player.pos.y));
    EXPECT_EQ(120, getr(old));
    EXPECT_EQ(0, getb(old));

    clear_to_color(view.target, black);
    replaceBitmap(faceBitmaps[8 + player.prevFace], maskBitmap(32));
    replaceBitmap(faceBitmaps[8 + player.face], solidBitmap(32, 0, 0, 255));
    player.draw(view.target, view.camera);
    int fresh = getpixel(view.target, int(player.pos.x), int(player.pos.y));
    EXPECT_EQ(0, getr(fresh));
    EXPECT_EQ(120, getb(fresh));
}

TEST_F(PlayerDraw, TrailUsesTheTailOfFaceModFourAtTheParticlesOpacity)
{
    for (int i = 0; i < 8; i++)
        replaceBitmap(tailBitmaps[i], solidBitmap(32, 0, 32 * i, 255));
    replaceBitmap(faceBitmaps[8 + 5], maskBitmap(32));
    player.face = 5;
    player.particles.push_back(Particle{200.0f, 150.0f, 0.0f, 0.0f, 50, 10});
    PixelBox box = drawn();
    EXPECT_EQ(184, box.left);
    EXPECT_EQ(134, box.top);
    EXPECT_EQ(32 * 32, box.count);
    int c = getpixel(view.target, 200, 150);
    // Tail index 5 % 4 + 4 = 5: green 160 at opacity 50 gives 160 * 51 / 256.
    EXPECT_EQ(160 * 51 / 256, getg(c));
    EXPECT_EQ(255 * 51 / 256, getb(c));
}

TEST_F(PlayerDraw, TrailShrinksWithTheCreature)
{
    replaceBitmap(tailBitmaps[4], solidBitmap(32, 0, 255, 0));
    replaceBitmap(faceBitmaps[8], maskBitmap(32));
    player.face = 0;
    player.state = Dying;
    player.counter = 30;
    player.particles.push_back(Particle{200.0f, 150.0f, 0.0f, 0.0f, 100, 10});
    PixelBox box = drawn();
    EXPECT_EQ(16 * 16, box.count);
    EXPECT_EQ(192, box.left);
    EXPECT_EQ(142, box.top);
}

TEST_F(PlayerDraw, OverlongParticleIsDrawnOpaqueRatherThanWrappingTheBlender)
{
    replaceBitmap(tailBitmaps[4], solidBitmap(32, 0, 200, 0));
    replaceBitmap(faceBitmaps[8], maskBitmap(32));
    player.face = 0;
    // A particle from a 60-long trail after the setting dropped to 20.
    player.particles.push_back(Particle{200.0f, 150.0f, 0.0f, 0.0f, 295, 59});
    drawn();
    int c = getpixel(view.target, 200, 150);
    EXPECT_EQ(0, getr(c));
    EXPECT_EQ(200, getg(c));
    EXPECT_EQ(0, getb(c));
}

TEST_F(PlayerDraw, ScratchGrowsWhenTheRadiusGrows)
{
    player.state = Appearing;
    drawn();
    ASSERT_NE(nullptr, spriteScratch);
    EXPECT_EQ(32, spriteScratch->w);

    clear_to_color(view.target, black);
    settings.rad = 24;
    for (BITMAP*& face : faceBitmaps)
        replaceBitmap(face, solidBitmap(48, 255, 255, 255));
    PixelBox box = drawn();
    EXPECT_EQ(48 * 48, box.count);
    EXPECT_EQ(76, box.left);
    EXPECT_EQ(56, box.top);
}

TEST_F(PlayerDraw, MissingSpritesDrawNothingAndDoNotCrash)
{
    unloadData();
    player.particles.push_back(Particle{200.0f, 150.0f, 0.0f, 0.0f, 100, 10});
    EXPECT_EQ(0, drawn().count);
    player.state = Appearing;
    player.counter = 30;
    EXPECT_EQ(0, drawn().count);
    Powerup powerup(Powerup::Money15000);
    powerup.particles.push_back(Particle{200.0f, 150.0f, 0.0f, 0.0f, 100, 10});
    powerup.draw(view.target, view.camera);
    EXPECT_EQ(0, changedPixels(view.target, black).count);
}
