#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "ApplicationTest.h"
#include "GoldenFrame.h"
#include "frame/AssetManifest.h"
#include "input/Controls.h"
#include "play/ReplayFile.h"
#include "scores/HighScoreTable.h"

namespace {

// Every screen drawn by the application's own code into a picture of the
// game's size, against the golden frames of tests/frames: in the game's own
// font, so what fits is what a player sees fit, over the stand-in pictures.
// The screens are reached through the flow, as a player reaches them.
class GoldenFrame : public ApplicationTest {
protected:
    void SetUp() override
    {
        gameFont = load_datafile_object(WISPEN_RUN_DIR "/data.dat", AssetManifest::FONT);
        ASSERT_NE(gameFont, nullptr);
        libraryFont = font;
        font = static_cast<FONT*>(gameFont->dat);
        ApplicationTest::SetUp();
        clear_to_color(frame, makecol(255, 0, 255));
        game->mainMenu.start();
    }

    void TearDown() override
    {
        ApplicationTest::TearDown();
        font = libraryFont;
        if (gameFont)
            unload_datafile_object(gameFont);
    }

    // The story the game ships, and a table of eight scores of its own.
    void beforeStart() override
    {
        std::filesystem::copy_file(WISPEN_SOURCE_DIR "/assets/story", "story");
        HighScoreTable table("wispen.hsc");
        const char* const names[] = {"ACE", "BEA", "CY", "DOT", "EVE", "FAY", "GUS", "HAL"};
        for (int place = 0; place < 8; place++)
            table.insert(names[place], 90000 - 11000 * place);
    }

    // Drawn over the last picture, as on the display: a question draws only
    // its box over the screen it asks about.
    BITMAP* drawn()
    {
        game->draw(frame);
        return frame;
    }

    void run(int ticks)
    {
        for (int t = 0; t < ticks; t++)
            game->logic();
    }

    // The main menu's line at index, chosen from the top.
    void chooseFromMainMenu(int index)
    {
        for (size_t i = 0; i < game->mainMenu.items.size(); i++)
            tap(KEY_UP);
        for (int i = 0; i < index; i++)
            tap(KEY_DOWN);
        tap(KEY_ENTER);
    }

    // A game from a fixed seed, played for a second and a half.
    void playFixedGame()
    {
        chooseFromMainMenu(0);
        ASSERT_EQ(&game->playScreen, game->currentScreen);
        game->playScreen.begin(7);
        run(90);
        drawn();
    }

    Picture frame;
    DATAFILE* gameFont = nullptr;
    FONT* libraryFont = nullptr;
};

} // namespace

TEST_F(GoldenFrame, TheMenusShowWholeInThePicture)
{
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "main-menu"));
    chooseFromMainMenu(1);
    ASSERT_EQ(&game->optionsMenu, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "options"));
    for (int i = 0; i < 9; i++)
        tap(KEY_DOWN);
    tap(KEY_ENTER);
    ASSERT_EQ(&game->controlsMenu, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "controls"));
    tap(KEY_ENTER);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "controls-waiting"));
    tap(KEY_UP);  // the key it has already
    tap(KEY_ESC);
    tap(KEY_ESC);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    chooseFromMainMenu(2);
    ASSERT_EQ(&game->highScoreMenu, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "high-scores"));
    tap(KEY_ESC);
    chooseFromMainMenu(4);
    ASSERT_EQ(&game->creditsMenu, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "credits"));
    tap(KEY_ESC);
    drawn();
    tap(KEY_ESC);
    ASSERT_EQ(&game->quitPrompt, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "quit-question"));
}

TEST_F(GoldenFrame, TheStoryScrollsAndFades)
{
    chooseFromMainMenu(3);
    ASSERT_EQ(&game->storyScreen, game->currentScreen);
    run(240);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "story-4s"));
    run(420);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "story-11s"));
}

// A golden game played back: its world, its heads-up display, a bubble and a
// power-up at the third tick chosen.
TEST_F(GoldenFrame, PlayFromAGoldenReplay)
{
    Replay replay;
    std::string why;
    ASSERT_TRUE(ReplayFile::read(WISPEN_SOURCE_DIR "/tests/replays/1.0.0/easy-steered.rpl", replay, why)) << why;
    replay.applySettings();
    game->playScreen.beginPlayback(replay);
    game->setScreen(&game->playScreen);
    bool sawBoth = false;
    for (int tick = 1; tick <= 1200; tick++) {
        game->playScreen.logic();
        if (tick == 30 || tick == 600) {
            EXPECT_TRUE(matchesGoldenFrame(drawn(), "play-tick" + std::to_string(tick)));
        }
        if (!sawBoth && !game->playScreen.bubbles.empty() && !game->playScreen.powerups.empty()) {
            sawBoth = true;
            EXPECT_TRUE(matchesGoldenFrame(drawn(), "play-bubble-and-powerup")) << "at tick " << tick;
        }
    }
    EXPECT_TRUE(sawBoth);
}

TEST_F(GoldenFrame, TheAbandonQuestionHoldsThePlay)
{
    playFixedGame();
    tap(KEY_ESC);
    ASSERT_EQ(&game->abandonPrompt, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "abandon-question"));
}

// The hint at the end of a game names the key the player chose for Choose;
// a qualifying score then asks for the name.
TEST_F(GoldenFrame, GameOverNamesThePlayersOwnChooseKey)
{
    playFixedGame();
    game->playScreen.score.add(95000);
    game->playScreen.player->state = Dead;
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "game-over"));
    std::strcpy(settings.keyChoose, "SPACE");
    controls.bind(settings);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "game-over-space"));
    tap(KEY_SPACE);
    ASSERT_EQ(&game->nameEntryMenu, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "name-entry"));
}

// Left alone on the main menu, the application shows the best game kept.
TEST_F(GoldenFrame, TheAttractModesCaption)
{
    Replay replay;
    std::string why;
    ASSERT_TRUE(ReplayFile::read(WISPEN_SOURCE_DIR "/tests/replays/1.0.0/easy-steered.rpl", replay, why)) << why;
    {
        std::fclose(std::fopen("wispen.hsc", "wb"));  // every place empty
        HighScoreTable table("wispen.hsc");
        table.insert("ZED", replay.finalScore);
    }
    std::filesystem::copy_file(WISPEN_SOURCE_DIR "/tests/replays/1.0.0/easy-steered.rpl",
                               game->archive.highScorePath(0));
    run(30 * 60 + 120);
    ASSERT_EQ(&game->replayScreen, game->currentScreen);
    EXPECT_TRUE(matchesGoldenFrame(drawn(), "attract-caption"));
}
