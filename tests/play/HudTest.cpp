#include <algorithm>

#include "PlayFixture.h"
#include "frame/Resources.h"
#include "world/Difficulty.h"

namespace {

class PlayHud : public PlayFixture {
protected:
    void SetUp() override { settings.nStars = 0; }

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

    // Lit segments are coloured and unlit ones grey, with black between them:
    // the lit ones are the coloured runs across the bar's middle row.
    int litSegments()
    {
        clear_to_color(frame, makecol(0, 0, 0));
        game.hud.drawHealthBar(frame, game.player->health, Difficulty::playerCeiling());
        int runs = 0;
        bool inRun = false;
        for (int x = 0; x < frame->w; x++) {
            const int pixel = getpixel(frame, x, 230);
            const bool coloured = getr(pixel) != getg(pixel) || getg(pixel) != getb(pixel);
            runs += coloured && !inRun;
            inRun = coloured;
        }
        return runs;
    }

    Picture frame;
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

// The game-over notice is there once drawing it again over the picture
// changes no pixel; where it changes them, it is centred on the target.
TEST_F(PlayHud, GameOverNoticeAppearsCentredOnTheTargetOnlyOnceTheCreatureIsGone)
{
    BITMAP* big = create_bitmap(640, 480);
    BITMAP* again = create_bitmap(640, 480);
    int left, top, right, bottom;
    auto noticeAdds = [&] {
        clear_to_color(big, makecol(0, 0, 0));
        game.draw(big);
        blit(big, again, 0, 0, 0, 0, 640, 480);
        game.hud.drawGameOver(again);
        left = top = 1 << 30;
        right = bottom = -1;
        for (int y = 0; y < 480; y++)
            for (int x = 0; x < 640; x++)
                if (getpixel(big, x, y) != getpixel(again, x, y)) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        return right >= 0;
    };

    startEmpty();
    game.player->state = Dying;
    game.player->counter = 1;
    ASSERT_TRUE(noticeAdds());
    EXPECT_NEAR((left + right) / 2.0, 320, 2);
    EXPECT_NEAR((top + bottom) / 2.0, 240, 2);

    game.player->state = Dead;
    game.player->counter = 0;
    EXPECT_FALSE(noticeAdds());

    destroy_bitmap(again);
    destroy_bitmap(big);
}
