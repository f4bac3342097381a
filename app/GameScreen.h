#pragma once

#include "app/Error.h"
#include "app/Controls.h"

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

    // A key counts as pressed on a tick only when it was up at the last snapshot.
    bool keyPressed(int scancode) const;

    int prevKey[Controls::COUNT];
    int result;
};
