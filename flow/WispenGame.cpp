#include "flow/WispenGame.h"

#include <algorithm>
#include <aldumb.h>
#include <allegro.h>
#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <jpgalleg.h>

#include "flow/MenuContents.h"
#include "input/Controls.h"
#include "input/Gamepad.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "scores/HighScoreList.h"

namespace {

// Play stops once the player has been away this many parts of a second: the
// windows a switch to or from full screen makes and unmakes take the focus
// from one another for less.
constexpr int AWAY_PARTS_OF_A_SECOND = 4;

const char* const QUIT_QUESTION = "Are you sure you want to quit?";
const char* const QUIT_CHOICES = "Yes / No";

// From the clock, as at start-up, but finer than a second: two games begun in
// the same second still start differently.
std::uint32_t clockSeed()
{
    auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

} // namespace

WispenGame::WispenGame()
{
    std::snprintf(name, sizeof name, "%s", "Wispen");

    MenuContents::fillMainMenu(mainMenu);
    MenuContents::fillOptionsMenu(optionsMenu);
    MenuContents::fillHighScoreMenu(highScoreMenu);
    MenuContents::fillNameEntryMenu(nameEntryMenu);
    MenuContents::fillCreditsMenu(creditsMenu);

    mainMenu.result = ConfirmQuit;
    optionsMenu.result = MainMenu;
    highScoreMenu.result = MainMenu;
    nameEntryMenu.result = HighScores;
    creditsMenu.result = MainMenu;
    controlsMenu.result = OptionsMenu;
    playScreen.result = MainMenu;
    storyScreen.result = MainMenu;
    abandonPrompt.result = ResumeGame;
    quitPrompt.result = Quit;

    abandonPrompt.setup(QUIT_QUESTION, QUIT_CHOICES, KEY_Y, KEY_N, MainMenu, ResumeGame);
    quitPrompt.setup(QUIT_QUESTION, QUIT_CHOICES, KEY_Y, KEY_N, Quit, MainMenu);

    setScreen(&mainMenu);
}

WispenGame::~WispenGame()
{
    // The stream is stopped before its module is unloaded: a renderer left
    // running over a freed module would read freed memory at shutdown.
    musicStream.stop();
    unloadData();
}

Error WispenGame::init()
{
    Error error = Game::init();
    if (error.failed())
        return error;
    controls.bind(settings);

    jpgalleg_init();
    std::atexit(dumb_exit);
    dumb_register_stdfiles();

    GameScreen* const startedAtLaunch[] = {&mainMenu, &optionsMenu, &highScoreMenu,
                                           &creditsMenu, &storyScreen, &playScreen};
    for (GameScreen* screen : startedAtLaunch) {
        error = screen->start();
        if (error.failed())
            return error;
    }

    if (!loadData())
        return Error(DataLoad);

    // The first piece starts at the settings' volume.
    musicStream.poll();
    musicStream.play(MenuMusic);
    return Error(NoError);
}

bool WispenGame::logic()
{
    Game::logic();
    musicStream.poll();
    gamepad.poll(currentScreen == &playScreen);
    if (pauseWhenAway())
        return false;
    countIdleTime();
    if (!currentScreen->logic())
        return false;
    int action = currentScreen->getResult();
    if (action == Quit)
        return true;
    carryOut(action);
    return false;
}

void WispenGame::carryOut(int action)
{
    keepFinishedGame(action);
    switch (action) {
    case NewGame:
        playScreen.begin(clockSeed());
        musicStream.play(GameMusic);
        setScreen(&playScreen);
        break;
    case ResumeGame:
        setScreen(&playScreen);
        break;
    case GameOverMusic:
        // The play screen stays current and keeps its snapshot.
        musicStream.play(GameOverMusicPart);
        break;
    case MainMenu:
        if (musicState != MenuMusic)
            musicStream.play(MenuMusic);
        // The key that ended a replay between menus does nothing more: the
        // menu's snapshot holds it, and nothing it typed waits in the buffer.
        if (currentScreen == &replayScreen)
            clear_keybuf();
        setScreen(&mainMenu);
        break;
    case EnterName:
        nameEntryMenu.start();
        setScreen(&nameEntryMenu);
        break;
    case HighScores:
        showHighScores();
        break;
    case ConfirmAbandon:
        setScreen(&abandonPrompt);
        break;
    case ConfirmQuit:
        setScreen(&quitPrompt);
        break;
    case OptionsMenu:
        setScreen(&optionsMenu);
        break;
    case ControlsScreen:
        controlsMenu.start();
        setScreen(&controlsMenu);
        break;
    case CreditsMenu:
        creditsMenu.start();
        setScreen(&creditsMenu);
        break;
    case StoryScreen:
        storyScreen.start();
        setScreen(&storyScreen);
        break;
    case NextReplay:
        showNextHighScoreReplay();
        break;
    default:
        // Unknown codes leave the same screen current; it is asked again.
        break;
    }
}

void WispenGame::showHighScores()
{
    // The score lines take the menu's code as it stands while they are built.
    highScoreMenu.result = HighScores;
    const char* enteredName = nullptr;
    if (currentScreen == &nameEntryMenu && nameEntryMenu.getSelectedItem())
        enteredName = nameEntryMenu.getSelectedItem()->text.c_str();
    int place = enteredName ? ReplayArchive::placeOf(playScreen.score.total()) : -1;
    fillHighScores(highScoreMenu, enteredName, playScreen.score.total());
    archive.keepHighScore(place, playScreen.recording);
    highScoreMenu.result = MainMenu;
    setScreen(&highScoreMenu);
}

// A game is finished when it leaves the play screen for the name entry or the
// main menu, or the abandon question for the main menu. A game cut off by
// the window's close button is not kept.
void WispenGame::keepFinishedGame(int action)
{
    bool fromPlay = currentScreen == &playScreen && (action == EnterName || action == MainMenu);
    bool abandoned = currentScreen == &abandonPrompt && action == MainMenu;
    if (!fromPlay && !abandoned)
        return;
    if (fromPlay)
        writeBackHighScores();
    playScreen.recording.finish(playScreen.score.total());
    archive.keepLastGame(playScreen.recording);
}

// A game played to its end writes the table back whole, whether or not its
// score enters it, so a damaged or missing file is made good before the name
// is asked for; the table goes back to the file as it goes out of scope.
void WispenGame::writeBackHighScores()
{
    HighScoreTable table(HIGH_SCORE_FILE);
}

// A game the player switched away from waits for them at the abandon question,
// as if they had pressed Escape; the tick that opens it plays nothing.
bool WispenGame::pauseWhenAway()
{
    awayTicks = switchedAway ? awayTicks + 1 : 0;
    if (awayTicks != std::max(1, tickRate(settings.fps) / AWAY_PARTS_OF_A_SECOND))
        return false;
    if (!settings.pauseOnFocusLoss || currentScreen != &playScreen || !playScreen.asksToAbandon())
        return false;
    // Silent as under Escape's question, which the game reaches by finishing
    // its tick; the first tick after No starts the sounds again the same way.
    playScreen.ambience.stopSets();
    carryOut(ConfirmAbandon);
    return true;
}

void WispenGame::countIdleTime()
{
    if (attractMode.countIdleTick(currentScreen == &mainMenu && !controls.anyDeviceKeyHeld()))
        showNextHighScoreReplay();
}

// After the last replay the main menu is back.
void WispenGame::showNextHighScoreReplay()
{
    if (attractMode.showNext(replayScreen, archive))
        setScreen(&replayScreen);
    else
        setScreen(&mainMenu);
}

void WispenGame::watch(const Replay& replay)
{
    replayScreen.result = Quit;
    replayScreen.keyResult = Quit;
    replayScreen.endHold = -1;
    replayScreen.show(replay, "", false);
    musicStream.play(GameMusic);
    setScreen(&replayScreen);
}

void WispenGame::draw(BITMAP* target)
{
    currentScreen->draw(target);
    Game::draw(target);
}

void WispenGame::setScreen(GameScreen* screen)
{
    currentScreen = screen;
    currentScreen->readKeys();
}
