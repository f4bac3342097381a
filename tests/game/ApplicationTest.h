#pragma once

#include <allegro.h>
#include <gtest/gtest.h>

#include "flow/WispenGame.h"
#include "SharedState.h"
#include "ScratchWorkingDir.h"
#include "StandInResources.h"

// The application without its start-up: the screens, menus and flow are all
// there, the library runs without a display and there is no music stream.
// Each test runs in a scratch directory, so the high-score file, the replays
// and the story are its own.
class ApplicationTest : public testing::Test {
protected:
    void SetUp() override
    {
        beforeStart();
        game = new WispenGame();
        musicState = MenuMusic;
    }

    void TearDown() override
    {
        delete game;
        game = nullptr;
    }

    // What a test needs in place before the application starts, in its
    // scratch directory.
    virtual void beforeStart() {}

    static void releaseKeys()
    {
        for (int i = 0; i < KEY_MAX; i++)
            key[i] = 0;
    }

    // One tick with the key down, one with it up again.
    void tap(int scancode)
    {
        key[scancode] = 1;
        game->logic();
        key[scancode] = 0;
        game->logic();
    }

    StandInResources resources;
    ScratchWorkingDir dir;
    WispenGame* game = nullptr;
};
