#include "PlayFixture.h"
#include "frame/Resources.h"
#include "world/Difficulty.h"

namespace {

class PlayHud : public PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        settings.nStars = 0;
        frame = create_bitmap(320, 240);
        clear_to_color(frame, makecol(0, 0, 0));
    }

    void TearDown() override
    {
        destroy_bitmap(frame);
        PlayFixture::TearDown();
    }

    static bool samePixel(BITMAP* bitmap, int x, int y, int colour)
    {
        int pixel = getpixel(bitmap, x, y);
        return getr(pixel) == getr(colour) && getg(pixel) == getg(colour) &&
               getb(pixel) == getb(colour);
    }

    bool hasColour(int x, int y, int r, int g, int b) const
    {
        return samePixel(frame, x, y, makecol(r, g, b));
    }

    // A segment is lit when its middle shows its own hue at full value.
    int litSegments()
    {
        clear_to_color(frame, makecol(0, 0, 0));
        game.hud.drawHealthBar(frame, game.player->health, Difficulty::playerCeiling());
        int lit = 0;
        for (int i = 0; i < 30; i++) {
            int r, g, b;
            hsv_to_rgb(4.0f * i, 1.0f, 1.0f, &r, &g, &b);
            int x = 4 + 8 * i + 3;
            if (hasColour(x, 230, r, g, b))
                lit++;
            else
                EXPECT_TRUE(hasColour(x, 230, 64, 64, 64)) << "segment " << i;
        }
        return lit;
    }

    BITMAP* frame = nullptr;
};

} // namespace

TEST_F(PlayHud, HealthBarLightsOneSegmentPerThirtiethOfTheCeiling)
{
    struct Case {
        int difficulty;
        float health;
        int lit;
    };
    const Case cases[] = {
        {1, 45, 30}, {1, 22.5f, 16}, {1, 0, 1},   {1, -0.1f, 0}, {1, 60, 30},
        {0, 45, 16}, {0, 90, 30},    {2, 30, 30}, {2, 10, 11},   {5, 22.5f, 16},
    };
    startEmpty();
    for (const Case& c : cases) {
        settings.difficulty = c.difficulty;
        game.player->health = c.health;
        EXPECT_EQ(litSegments(), c.lit) << "difficulty " << c.difficulty << ", health " << c.health;
    }
}

TEST_F(PlayHud, HealthSegmentsHaveDarkerOutlinesAndRoundedCorners)
{
    startEmpty();
    game.player->health = 3;  // segments 0 to 2 lit
    clear_to_color(frame, makecol(200, 0, 200));
    game.hud.drawHealthBar(frame, game.player->health, Difficulty::playerCeiling());

    int r, g, b;
    hsv_to_rgb(8.0f, 1.0f, 0.7f, &r, &g, &b);
    EXPECT_TRUE(hasColour(20, 230, r, g, b)) << "outline of lit segment 2";
    EXPECT_TRUE(hasColour(23, 224, r, g, b));
    EXPECT_TRUE(hasColour(236, 230, 40, 40, 40)) << "outline of unlit segment 29";
    for (int x : {20, 26})
        for (int y : {224, 236})
            EXPECT_TRUE(hasColour(x, y, 0, 0, 0)) << x << "," << y;
    EXPECT_TRUE(hasColour(27, 230, 200, 0, 200)) << "the gap between segments is left alone";
    EXPECT_TRUE(hasColour(4, 223, 200, 0, 200));
}

TEST_F(PlayHud, RadarShowsLivingSoulsLastingPowerupsAndTheUserOnTop)
{
    startEmpty();
    addSoul(0, 0);
    addSoul(160, 160).state = Dying;
    addSoul(500, 300);
    addPowerup(Powerup::Money15000, 320, 320);
    addPowerup(Powerup::Money15000, 640, 320).health = 0;
    game.player->pos = {1023.9f, 767.9f};
    addSoul(1020, 760);  // under the user's dot

    game.hud.drawRadar(frame, game.souls, game.powerups, *game.player);

    EXPECT_TRUE(hasColour(252, 188, 255, 0, 0));
    EXPECT_TRUE(hasColour(252 + 31, 188 + 18, 255, 0, 0));
    EXPECT_FALSE(hasColour(262, 198, 255, 0, 0)) << "dying souls vanish at once";
    EXPECT_TRUE(hasColour(272, 208, 255, 255, 0));
    EXPECT_FALSE(hasColour(292, 208, 255, 255, 0)) << "expired power-ups vanish";
    EXPECT_TRUE(hasColour(315, 235, 0, 255, 255));
}

TEST_F(PlayHud, RadarIsATranslucentPanelWithCornerMarks)
{
    startEmpty();
    game.player->pos = {0, 767};  // its dot at (252, 235), out of the way
    game.hud.drawRadar(frame, game.souls, game.powerups, *game.player);

    int panel = getpixel(frame, 290, 210);
    EXPECT_GT(getg(panel), 20);
    EXPECT_LT(getg(panel), 60) << "a quarter of the panel colour over black";
    EXPECT_GT(getg(panel), getb(panel));
    EXPECT_GT(getb(panel), getr(panel));
    EXPECT_TRUE(hasColour(251, 210, 0, 0, 0));
    EXPECT_TRUE(hasColour(290, 187, 0, 0, 0));

    const int white[][2] = {{252, 188}, {256, 188}, {252, 192}, {312, 188}, {316, 188},
                            {316, 192}, {256, 236}, {252, 232}, {316, 236}, {316, 232}};
    for (const auto& p : white)
        EXPECT_TRUE(hasColour(p[0], p[1], 255, 255, 255)) << p[0] << "," << p[1];
    EXPECT_FALSE(hasColour(257, 188, 255, 255, 255));
    EXPECT_FALSE(hasColour(252, 193, 255, 255, 255));

    // The panel is made once and reused.
    BITMAP* panelBitmap = game.hud.radarPanel.get();
    game.hud.drawRadar(frame, game.souls, game.powerups, *game.player);
    EXPECT_EQ(game.hud.radarPanel.get(), panelBitmap);
}

TEST_F(PlayHud, ScoreLineShowsTheCountedPointsPaddedToEightDigits)
{
    startEmpty();
    game.score.add(5000);
    game.score.tick();
    game.score.tick();
    ASSERT_EQ(game.score.value(), 512);

    game.hud.drawScore(frame, game.score.value());

    BITMAP* expected = create_bitmap(320, 240);
    clear_to_color(expected, makecol(0, 0, 0));
    textout_ex(expected, font, "pts: 00000512", 209, 5, makecol(64, 64, 160), -1);
    textout_ex(expected, font, "pts: 00000512", 208, 4, makecol(140, 200, 240), -1);
    int differing = 0;
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++)
            if (getpixel(expected, x, y) != getpixel(frame, x, y))
                differing++;
    destroy_bitmap(expected);
    EXPECT_EQ(differing, 0);
}

TEST_F(PlayHud, BackgroundScrollsWithTheCamera)
{
    startEmpty();
    game.player->pos = {300, 200};
    game.camera->pos = {300.7f, 200.7f};
    int marker = makecol(250, 10, 200);
    putpixel(spaceBitmap, 150, 90, marker);

    game.draw(frame);

    EXPECT_TRUE(samePixel(frame, 10, 10, marker)) << "view corner at (140, 80)";
}

TEST_F(PlayHud, GameOverTextAppearsCentredOnTheTargetOnlyOnceTheCreatureIsGone)
{
    BITMAP* big = create_bitmap(640, 480);
    BITMAP* expected = create_bitmap(640, 480);
    clear_to_color(expected, makecol(0, 0, 0));
    int th = text_height(font);
    textout_centre_ex(expected, font, "GAME OVER!", 320, 240 - (th * 3) / 2, makecol(255, 255, 255), -1);
    textout_centre_ex(expected, font, "Press ENTER to continue...", 320, 240 + th / 2,
                      makecol(192, 192, 192), -1);
    auto textShown = [&] {
        int shown = 0, missing = 0;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                if (getpixel(expected, x, y) != makecol(0, 0, 0))
                    (getpixel(big, x, y) == getpixel(expected, x, y) ? shown : missing)++;
        return missing == 0 && shown > 0;
    };

    startEmpty();
    game.player->state = Dying;
    game.player->counter = 1;
    game.draw(big);
    EXPECT_FALSE(textShown());

    game.player->state = Dead;
    game.player->counter = 0;
    game.draw(big);
    EXPECT_TRUE(textShown());

    destroy_bitmap(expected);
    destroy_bitmap(big);
}
