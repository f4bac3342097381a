#include <allegro.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "ApplicationTest.h"
#include "play/ReplayFile.h"

namespace {

ino_t inodeOf(const char* path)
{
    struct stat info {};
    stat(path, &info);
    return info.st_ino;
}

// The application's replays from the player's side: a game played to a high
// score is kept twice (the last game, its place in the table), and left alone
// on the main menu the application shows it, captioned, until a key brings
// the menu back untouched.
class ReplayFlow : public ApplicationTest {
protected:
    void beforeStart() override
    {
        settings.hp1 = 1;
        settings.spawnTime = 20;
        std::fclose(std::fopen("wispen.hsc", "wb"));  // every place holds -1: any score enters
    }

    // Plays a game from the main menu, drifting left, to its name entry.
    void playToNameEntry()
    {
        game->mainMenu.start();
        tap(KEY_ENTER);
        ASSERT_EQ(&game->playScreen, game->currentScreen);
        key[KEY_LEFT] = 1;
        for (int tick = 0; tick < 20000 && game->currentScreen == &game->playScreen; tick++) {
            key[KEY_ENTER] = game->playScreen.player->state == Dead;
            game->logic();
        }
        releaseKeys();
        ASSERT_EQ(&game->nameEntryMenu, game->currentScreen);
    }
};

TEST_F(ReplayFlow, AHighScoreIsKeptAndShownBetweenMenusUntilAKey)
{
    playToNameEntry();
    const int score = game->playScreen.score.total();
    const unsigned ticks = game->playScreen.recording.tickCount();
    game->nameEntryMenu.getSelectedItem()->text = "ACE     ";
    tap(KEY_ESC);
    ASSERT_EQ(&game->highScoreMenu, game->currentScreen);

    for (const std::string& path : {game->archive.lastGamePath(), game->archive.highScorePath(0)}) {
        Replay kept;
        std::string why;
        ASSERT_TRUE(ReplayFile::read(path, kept, why)) << path << ": " << why;
        EXPECT_EQ(kept.finalScore, score);
        EXPECT_EQ(kept.tickCount(), ticks);
        EXPECT_EQ(kept.play.hp1, 1);
    }
    EXPECT_NE(access(game->archive.highScorePath(1).c_str(), F_OK), 0);

    tap(KEY_ENTER);  // Back
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    // Every save makes a new file and renames it over the old one.
    const ino_t listed = inodeOf("wispen.hsc");
    for (int tick = 0; tick < 29 * 60; tick++)
        game->logic();
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
    for (int tick = 0; tick < 60; tick++)
        game->logic();
    ASSERT_EQ(&game->replayScreen, game->currentScreen);
    EXPECT_EQ(listed, inodeOf("wispen.hsc")) << "the show rewrote the high-score file";
    EXPECT_EQ(MenuMusic, musicState);
    // Half way through the recorded game: its length depends on the seed.
    for (unsigned tick = 0; tick < ticks / 2; tick++)
        game->logic();
    EXPECT_TRUE(game->replayScreen.playing());
}

TEST_F(ReplayFlow, TheKeyThatEndsTheShowDoesNothingElse)
{
    playToNameEntry();
    tap(KEY_ESC);
    tap(KEY_ENTER);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    int selected = game->mainMenu.selected;
    for (int tick = 0; tick < 30 * 60 + 50; tick++)
        game->logic();
    ASSERT_EQ(&game->replayScreen, game->currentScreen);
    tap(KEY_DOWN);
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(selected, game->mainMenu.selected);
    EXPECT_EQ(MenuMusic, musicState);
}

TEST_F(ReplayFlow, AShowThatRunsOutComesBackToTheMenu)
{
    playToNameEntry();
    tap(KEY_ESC);
    tap(KEY_ENTER);
    for (int tick = 0; tick < 30 * 60; tick++)
        game->logic();
    ASSERT_EQ(&game->replayScreen, game->currentScreen);
    for (int tick = 0; tick < 20000 && game->currentScreen == &game->replayScreen; tick++)
        game->logic();
    EXPECT_FALSE(game->replayScreen.outOfStep());
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
}

} // namespace
