#pragma once

#include "settings/Action.h"
#include "files/Error.h"

struct BITMAP;

// What a finished screen asks the application to do next.
enum ScreenAction {
    NewGame = 0,
    ResumeGame = 1,
    GameOverMusic = 2,
    MainMenu = 3,
    Quit = 4,
    EnterName = 5,
    HighScores = 6,
    ConfirmAbandon = 7,
    ConfirmQuit = 8,
    OptionsMenu = 9,
    CreditsMenu = 10,
    StoryScreen = 11,
    NextReplay = 12,
    ControlsScreen = 13,
};

// Base of every screen the application shows. The application calls logic
// once per tick and, when it returns true, carries out getResult.
class GameScreen {
public:
    GameScreen();
    virtual ~GameScreen();

    virtual int getResult();
    virtual bool logic();
    virtual void draw(BITMAP* target);
    virtual Error start();
    virtual void readKeys();

    // An action, or a key of the keyboard, counts as pressed on a tick only
    // when it was up at the last snapshot. The screens read actions; only
    // Y, N and Backspace are read as keys, beside them.
    bool actionPressed(Action action) const;
    bool keyPressed(int scancode) const;

    // Room for every scan code a byte can hold; those past the library's
    // KEY_MAX read as up.
    static constexpr int KEY_COUNT = 256;
    int prevKey[KEY_COUNT];
    int prevAction[ACTION_COUNT];
    int result;
};
