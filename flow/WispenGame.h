#pragma once

#include "frame/Game.h"
#include "flow/AttractMode.h"
#include "flow/MusicStream.h"
#include "play/MainGame.h"
#include "play/ReplayArchive.h"
#include "play/ReplayScreen.h"
#include "ui/ControlsMenu.h"
#include "ui/Menu.h"
#include "ui/Prompt.h"
#include "ui/Story.h"

// The game itself: owns every screen for the whole run, carries out what a
// finished screen asks for and switches the music between menus, play and the
// end of a game. What the menus hold, the music stream and the high scores'
// replays between menus are rooms of their own that it calls.
class WispenGame : public Game {
public:
    WispenGame();
    ~WispenGame() override;

    void draw(BITMAP* target) override;
    bool logic() override;
    Error init() override;

    void setScreen(GameScreen* screen);
    // Plays replay instead of the menus; the program ends after it.
    void watch(const Replay& replay);

    Menu mainMenu;
    Menu optionsMenu;
    Menu highScoreMenu;
    Menu nameEntryMenu;
    Menu creditsMenu;
    ControlsMenu controlsMenu{OptionsMenu};
    MainGame playScreen;
    Prompt abandonPrompt;
    Prompt quitPrompt;
    Story storyScreen;
    ReplayScreen replayScreen;
    ReplayArchive archive;
    GameScreen* currentScreen = nullptr;
    MusicStream musicStream;

private:
    void carryOut(int action);
    void showHighScores();
    void keepFinishedGame(int action);
    void writeBackHighScores();
    void countIdleTime();
    void showNextHighScoreReplay();
    bool pauseWhenAway();

    AttractMode attractMode;
    int awayTicks = 0;
};
