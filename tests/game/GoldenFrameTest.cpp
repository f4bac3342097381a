#include <allegro.h>
#include <memory>

#include "ApplicationTest.h"
#include "GoldenFrame.h"
#include "input/Controls.h"
#include "input/KeyNames.h"

namespace {

// Screens drawn by the application's own code into a picture of the game's
// size, against the golden frames of tests/frames.
class GoldenFrame : public ApplicationTest {
protected:
    void SetUp() override
    {
        ApplicationTest::SetUp();
        frame = create_bitmap(settings.w, settings.h);
    }

    void TearDown() override
    {
        destroy_bitmap(frame);
        ApplicationTest::TearDown();
    }

    BITMAP* drawn()
    {
        clear_to_color(frame, makecol(255, 0, 255));
        game->draw(frame);
        return frame;
    }

    // A game from a fixed seed, played until its creature is gone.
    BITMAP* gameOver()
    {
        game->mainMenu.start();
        tap(KEY_ENTER);
        game->playScreen.begin(7);
        for (int t = 0; t < 90; t++)
            game->logic();
        game->playScreen.player->state = Dead;
        return drawn();
    }

    BITMAP* frame = nullptr;
};

} // namespace

TEST_F(GoldenFrame, OptionsAndControlsShowWholeInThePicture)
{
    game->mainMenu.start();
    tap(KEY_DOWN);
    tap(KEY_ENTER);
    ASSERT_EQ(&game->optionsMenu, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "options"));
    for (int i = 0; i < 9; i++)
        tap(KEY_DOWN);
    tap(KEY_ENTER);
    ASSERT_EQ(&game->controlsMenu, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "controls"));
}

// The hint at the end of a game names the key the player chose for Choose.
TEST_F(GoldenFrame, GameOverNamesThePlayersOwnChooseKey)
{
    EXPECT_TRUE(matchesGoldenFrame(gameOver(), "game-over"));
    std::strcpy(settings.keyChoose, "SPACE");
    controls.bind(settings);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "game-over-space"));
}
