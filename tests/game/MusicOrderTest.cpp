#include <aldumb.h>

#include "ApplicationTest.h"
#include "frame/Resources.h"

namespace {

// The application with the real wispen.it and the library's silent sound
// driver, which still takes a music stream, so the order each piece starts at
// can be read off the renderer.
class MusicOrders : public ApplicationTest {
protected:
    void SetUp() override
    {
        if (install_sound(DIGI_NONE, MIDI_NONE, nullptr) != 0)
            GTEST_SKIP() << "no silent sound driver";
        dumb_register_stdfiles();
        music = dumb_load_it(WISPEN_RUN_DIR "/wispen.it");
        ASSERT_NE(nullptr, music);
        ApplicationTest::SetUp();
        game->musicStream.play(MenuMusic);
    }

    void TearDown() override
    {
        ApplicationTest::TearDown();
        remove_sound();
    }

    DUH_SIGRENDERER* renderer() const
    {
        return game->musicStream.player ? al_duh_get_sigrenderer(game->musicStream.player) : nullptr;
    }

    int order() const
    {
        DUH_SIGRENDERER* sr = renderer();
        return sr ? dumb_it_sr_get_current_order(duh_get_it_sigrenderer(sr)) : -1;
    }

    // Plays the current piece on by a fraction of a second.
    void playOn()
    {
        sample_t** buffer = allocate_sample_buffer(2, 4096);
        duh_sigrenderer_generate_samples(renderer(), 1.0f, 65536.0f / 44100, 4096, buffer);
        destroy_sample_buffer(buffer);
    }

};

} // namespace

TEST_F(MusicOrders, EachTransitionStartsItsPiecesOrder)
{
    ASSERT_NE(nullptr, renderer()) << "the silent driver gave no stream";
    EXPECT_EQ(15, order());

    tap(KEY_ENTER);  // Play Game
    ASSERT_EQ(&game->playScreen, game->currentScreen);
    EXPECT_EQ(0, order());

    // Killed while fully grown: still full size after this tick's shrink step.
    game->playScreen.player->state = Dying;
    game->playScreen.player->counter = 61;
    game->logic();
    EXPECT_EQ(GameOverMusicPart, musicState);
    EXPECT_EQ(12, order());

    // Gone, with a score below the table: Enter goes back to the menus.
    game->playScreen.player->state = Dead;
    tap(KEY_ENTER);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(15, order());

    tap(KEY_ENTER);  // Play Game again, then abandon it
    EXPECT_EQ(0, order());
    tap(KEY_ESC);
    ASSERT_EQ(&game->abandonPrompt, game->currentScreen);
    tap(KEY_Y);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(15, order());
}

TEST_F(MusicOrders, ComingBackFromOptionsCreditsOrScoresGoesOnWithTheMenuMusic)
{
    ASSERT_NE(nullptr, renderer()) << "the silent driver gave no stream";
    for (int downs : {1, 2, 4}) {  // Options, High Scores, Credits
        playOn();
        long before = duh_sigrenderer_get_position(renderer());
        ASSERT_GT(before, 0);
        for (int i = 0; i < downs; i++)
            tap(KEY_DOWN);
        tap(KEY_ENTER);
        ASSERT_NE(&game->mainMenu, game->currentScreen) << downs;
        tap(KEY_ESC);
        ASSERT_EQ(&game->mainMenu, game->currentScreen) << downs;
        EXPECT_GE(duh_sigrenderer_get_position(renderer()), before) << "restarted after " << downs << " downs";
        EXPECT_EQ(MenuMusic, musicState);
        for (int i = 0; i < downs; i++)
            tap(KEY_UP);
    }
}
