#include <filesystem>
#include <string>

#include "ApplicationTest.h"
#include "SoundLog.h"
#include "frame/Game.h"
#include "frame/Resources.h"
#include "ui/MenuItemEdit.h"
#include "ui/MenuItemSlider.h"
#include "ui/MenuItemToggle.h"

namespace {

class Application : public ApplicationTest {
protected:
    static std::string label(const Menu& menu, size_t i) { return menu.items.at(i)->text; }
};

} // namespace

// The menus' lines and where they stand are the golden frames'; where each
// line leads, the golden frames' walk through the flow.
TEST_F(Application, StartsOnTheMainMenu)
{
    EXPECT_STREQ("Wispen", game->name);
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
}

TEST_F(Application, EachScreenLeavesWithItsOwnEscapeCode)
{
    EXPECT_EQ(ConfirmQuit, game->mainMenu.result);
    EXPECT_EQ(MainMenu, game->optionsMenu.result);
    EXPECT_EQ(MainMenu, game->highScoreMenu.result);
    EXPECT_EQ(HighScores, game->nameEntryMenu.result);
    EXPECT_EQ(MainMenu, game->creditsMenu.result);
    EXPECT_EQ(OptionsMenu, game->controlsMenu.result);
    EXPECT_EQ(MainMenu, game->playScreen.result);
    EXPECT_EQ(MainMenu, game->storyScreen.result);
    EXPECT_EQ(ResumeGame, game->abandonPrompt.result);
    EXPECT_EQ(Quit, game->quitPrompt.result);
}

TEST_F(Application, OptionsAreBoundToTheSettingsWithTheirChoices)
{
    Menu& options = game->optionsMenu;
    ASSERT_EQ(10u, options.items.size());
    for (size_t i = 0; i < 9; i++)
        EXPECT_EQ(OptionsMenu, options.items[i]->getId()) << "choosing an option stays on the options";
    auto* particles = dynamic_cast<MenuItemSlider*>(options.items[4].get());
    ASSERT_NE(nullptr, particles);
    EXPECT_EQ(&settings.maxParticles, particles->value);
    EXPECT_EQ((std::vector<int32_t>{0, 20, 40, 60}), particles->values);
    EXPECT_EQ((std::vector<std::string>{"none", "few", "some", "a lot"}), particles->names);

    auto* music = dynamic_cast<MenuItemSlider*>(options.items[8].get());
    ASSERT_NE(nullptr, music);
    EXPECT_EQ(&settings.volMusic, music->value);
    ASSERT_EQ(11, music->count);
    EXPECT_EQ(250, music->values[10]);
    EXPECT_EQ("[__________|", music->names[0]);
    EXPECT_EQ("[\x7f\x7f\x7f_______|", music->names[3]);
    EXPECT_EQ("[\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f|", music->names[10]);
}

TEST_F(Application, NameEntryAndCreditsHoldOneChoice)
{
    Menu& names = game->nameEntryMenu;
    ASSERT_EQ(4u, names.items.size());
    ASSERT_NE(nullptr, dynamic_cast<MenuItemEdit*>(names.items[3].get()));
    EXPECT_EQ(HighScores, names.items[3]->getId());

    Menu& credits = game->creditsMenu;
    ASSERT_EQ(8u, credits.items.size());
}

TEST_F(Application, QuitQuestionAnswersEndOrReturn)
{
    tap(KEY_ESC);
    EXPECT_EQ(&game->quitPrompt, game->currentScreen);
    tap(KEY_ESC);
    EXPECT_EQ(&game->mainMenu, game->currentScreen);

    tap(KEY_ESC);
    key[KEY_Y] = 1;
    EXPECT_TRUE(game->logic());
}

TEST_F(Application, ChoosingAnOptionComesBackWithTheHighlightInPlace)
{
    game->mainMenu.start();
    game->optionsMenu.start();
    tap(KEY_DOWN);
    tap(KEY_ENTER);
    ASSERT_EQ(&game->optionsMenu, game->currentScreen);
    tap(KEY_DOWN);
    tap(KEY_DOWN);
    tap(KEY_ENTER);  // Show FPS on
    EXPECT_EQ(&game->optionsMenu, game->currentScreen);
    EXPECT_EQ(1, settings.showFPS);
    EXPECT_EQ(2u, game->optionsMenu.selected);
    tap(KEY_ENTER);  // and off again: the highlight stayed
    EXPECT_EQ(0, settings.showFPS);

    tap(KEY_ESC);
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(1u, game->mainMenu.selected);
}

TEST_F(Application, AGameSwitchesTheMusicAndAbandoningBringsTheMenuMusicBack)
{
    game->mainMenu.start();
    tap(KEY_ENTER);
    ASSERT_EQ(&game->playScreen, game->currentScreen);
    EXPECT_EQ(GameMusic, musicState);
    ASSERT_TRUE(game->playScreen.player);

    tap(KEY_ESC);
    EXPECT_EQ(&game->abandonPrompt, game->currentScreen);
    Player* sameCreature = game->playScreen.player.get();
    tap(KEY_N);
    EXPECT_EQ(&game->playScreen, game->currentScreen);
    EXPECT_EQ(sameCreature, game->playScreen.player.get());
    EXPECT_EQ(GameMusic, musicState);

    tap(KEY_ESC);
    tap(KEY_Y);
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(MenuMusic, musicState);
}

TEST_F(Application, TheGameOverMusicStartsOnceAndThePlayScreenStays)
{
    game->mainMenu.start();
    tap(KEY_ENTER);
    Player& creature = *game->playScreen.player;
    // Killed while fully grown: still 60 after this tick's own shrink step.
    creature.state = Dying;
    creature.counter = 61;
    game->logic();
    EXPECT_EQ(GameOverMusicPart, musicState);
    EXPECT_EQ(&game->playScreen, game->currentScreen);
}

TEST_F(Application, AQualifyingGameEntersTheTypedNameIntoTheList)
{
    game->mainMenu.start();
    tap(KEY_ENTER);
    game->playScreen.score.add(1500);
    game->playScreen.player->state = Dead;
    key[KEY_ENTER] = 1;
    game->logic();
    key[KEY_ENTER] = 0;
    ASSERT_EQ(&game->nameEntryMenu, game->currentScreen);

    game->nameEntryMenu.getSelectedItem()->text = "ACE     ";
    tap(KEY_ESC);  // leaving with Escape still enters the name
    ASSERT_EQ(&game->highScoreMenu, game->currentScreen);
    EXPECT_EQ(MainMenu, game->highScoreMenu.result);
    ASSERT_EQ(9u, game->highScoreMenu.items.size());
    EXPECT_EQ("ACE      ...... 00001500", label(game->highScoreMenu, 7));
    EXPECT_EQ(HighScores, game->highScoreMenu.items[7]->getId());

    // Viewing the list from the main menu inserts nothing more.
    tap(KEY_ENTER);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(MenuMusic, musicState);
    game->mainMenu.selected = 2;
    tap(KEY_ENTER);
    ASSERT_EQ(&game->highScoreMenu, game->currentScreen);
    EXPECT_EQ("ACE      ...... 00001500", label(game->highScoreMenu, 7));
    EXPECT_EQ("nobody   ...... 00002000", label(game->highScoreMenu, 6));
}

TEST_F(Application, AGameOutsideTheTableStillWritesItBackWholeAtItsEnd)
{
    game->mainMenu.start();
    tap(KEY_ENTER);
    game->playScreen.player->state = Dead;
    ASSERT_FALSE(std::filesystem::exists("wispen.hsc"));
    tap(KEY_ENTER);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(96u, std::filesystem::file_size("wispen.hsc")) << "the missing table was not written whole";
}

TEST_F(Application, AnUnknownCodeLeavesTheScreenCurrent)
{
    game->mainMenu.start();
    game->mainMenu.items[0]->id = 42;
    key[KEY_ENTER] = 1;
    EXPECT_FALSE(game->logic());
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
}

TEST_F(Application, DrawsTheCurrentScreenUnderTheOverlay)
{
    Picture plain;
    Picture overlaid;
    game->fpsCounter.reset(60);
    game->draw(plain);
    settings.showFPS = 1;
    game->draw(overlaid);

    int changed = 0;
    int changedBelowOverlay = 0;
    for (int y = 0; y < 240; y++)
        for (int x = 0; x < 320; x++)
            if (getpixel(plain, x, y) != getpixel(overlaid, x, y)) {
                changed++;
                changedBelowOverlay += y >= 16 || x >= 80;
            }
    EXPECT_GT(changed, 50);
    EXPECT_EQ(0, changedBelowOverlay);
}

// The golden frames show every menu's lines and questions, but not which
// setting an option line changes: two switches that both read "off" would
// look the same bound the wrong way round.
TEST_F(Application, EachOptionLineIsBoundToItsOwnSetting)
{
    const int32_t* bound[] = {&settings.vsync, &settings.unlimitedFPS, &settings.showFPS, &settings.yield,
                              &settings.maxParticles, &settings.nStars, &settings.difficulty,
                              &settings.volSound, &settings.volMusic, nullptr};
    ASSERT_EQ(std::size(bound), game->optionsMenu.items.size());
    for (size_t line = 0; line < std::size(bound); line++) {
        auto* option = dynamic_cast<const MenuItemToggle*>(game->optionsMenu.items[line].get());
        EXPECT_EQ(bound[line], option ? option->value : nullptr) << game->optionsMenu.items[line]->text;
    }
}

// The question a switch away opens holds the game as silently as Escape's: the
// play's looping sounds stop under it, and the first tick after No starts them
// again, while the music goes on.
TEST_F(Application, SwitchingAwayHoldsTheGameAsSilentlyAsEscape)
{
    SoundLog sounds;
    const SAMPLE* ambient[] = {ambientSamplesA[0], ambientSamplesA[1], ambientSamplesB[0], ambientSamplesB[1]};
    auto stops = [&](const SAMPLE* sample) {
        int count = 0;
        for (const SoundEvent& event : sounds.events())
            count += event.stop && event.sample == sample;
        return count;
    };
    game->mainMenu.start();
    tap(KEY_ENTER);
    for (int t = 0; t < 60; t++)
        game->logic();
    for (bool away : {false, true}) {
        SCOPED_TRACE(away ? "switched away" : "Escape");
        sounds.clear();
        if (away) {
            switchedAway = true;
            for (int t = 0; t < 60 && game->currentScreen == &game->playScreen; t++)
                game->logic();
            switchedAway = false;
        } else {
            tap(KEY_ESC);
        }
        ASSERT_EQ(&game->abandonPrompt, game->currentScreen);
        for (const SAMPLE* sample : ambient)
            EXPECT_EQ(1, stops(sample));
        sounds.clear();
        tap(KEY_N);
        EXPECT_EQ(1, sounds.playsOf(ambientSamplesA[0]));
        EXPECT_EQ(GameMusic, musicState);
    }
}
