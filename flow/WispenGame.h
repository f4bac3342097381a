#pragma once

#include "frame/Game.h"
#include "flow/MusicOrders.h"
#include "play/MainGame.h"
#include "play/ReplayArchive.h"
#include "play/ReplayScreen.h"
#include "ui/ControlsMenu.h"
#include "ui/Menu.h"
#include "ui/Prompt.h"
#include "ui/Story.h"

struct AL_DUH_PLAYER;

// Which part of the music module is playing.
enum MusicPart {
    GameMusic = 0,
    GameOverMusicPart = 1,
    MenuMusic = 2,
};

extern int musicState;

// The game itself: owns every screen for the whole run, carries out what a
// finished screen asks for and switches the music between menus, play and the
// end of a game.
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
    void startMusic(int order);

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
    AL_DUH_PLAYER* musicPlayer = nullptr;
    float musicVolume = 1.0f;

private:
    void fillMainMenu();
    void fillOptionsMenu();
    void fillNameEntryMenu();
    void fillCreditsMenu();
    void carryOut(int action);
    void showHighScores();
    void switchMusic(int order, int part);
    void keepFinishedGame(int action);
    void writeBackHighScores();
    void countIdleTime();
    void showNextHighScoreReplay();
    bool pauseWhenAway();

    int idleTicks = 0;
    int awayTicks = 0;
    int nextReplayPlace = ReplayArchive::PLACES;
};
