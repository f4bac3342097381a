#include "flow/WispenGame.h"

#include <algorithm>
#include <aldumb.h>
#include <allegro.h>
#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <jpgalleg.h>
#include <memory>
#include <string>

#include "input/Controls.h"
#include "input/Gamepad.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "scores/HighScoreList.h"
#include "ui/MenuItemEdit.h"
#include "ui/MenuItemSlider.h"
#include "ui/MenuItemToggle.h"

int musicState = MenuMusic;

namespace {

constexpr int MUSIC_CHANNELS = 2;
constexpr int MUSIC_BUFFER_SAMPLES = 8192;
constexpr int MUSIC_RATE = 44100;
constexpr float MUSIC_VOLUME_SCALE = 1.0f / 256;

constexpr int VOLUME_STEPS = 11;
constexpr int VOLUME_STEP = 25;
// The font draws character 127 as a filled bar segment.
constexpr char BAR_SEGMENT = 127;

// Between menus: the high scores' replays start after this long without a key.
constexpr int ATTRACT_DELAY_SECONDS = 30;
// The end of each of them stays on screen this long before the next begins.
constexpr int ATTRACT_END_SECONDS = 3;
// Play stops once the player has been away this many parts of a second: the
// windows a switch to or from full screen makes and unmakes take the focus
// from one another for less.
constexpr int AWAY_PARTS_OF_A_SECOND = 4;

const char* const QUIT_QUESTION = "Are you sure you want to quit?";
const char* const QUIT_CHOICES = "Yes / No";

// Silence to full: a setting outside that would invert or overdrive the music.
float volumeOfMusic() { return clampedVolume(settings.volMusic) * MUSIC_VOLUME_SCALE; }

// The heights of a menu's lines, handed out one spacing apart from the top;
// a gap sets a group of lines apart from the next.
class Rows {
public:
    Rows(int top, int spacing) : y(top), spacing(spacing) {}
    int next()
    {
        int row = y;
        y += spacing;
        return row;
    }
    Rows& gap(int extra)
    {
        y += extra;
        return *this;
    }

private:
    int y;
    int spacing;
};

std::unique_ptr<MenuItem> line(const char* label, int id, int y)
{
    return std::make_unique<MenuItem>(label, id, y);
}

std::unique_ptr<MenuItem> disabledLine(const char* label, int id, int y)
{
    auto item = line(label, id, y);
    item->disable();
    return item;
}

// "[", k bar segments, 10 - k underscores, "|".
std::string volumeBar(int k)
{
    return "[" + std::string(k, BAR_SEGMENT) + std::string(VOLUME_STEPS - 1 - k, '_') + "|";
}

void addVolumeSlider(Menu& menu, const char* label, int y, int* value)
{
    int values[VOLUME_STEPS];
    std::string bars[VOLUME_STEPS];
    const char* names[VOLUME_STEPS];
    for (int k = 0; k < VOLUME_STEPS; k++) {
        values[k] = VOLUME_STEP * k;
        bars[k] = volumeBar(k);
        names[k] = bars[k].c_str();
    }
    menu.addItem(std::make_unique<MenuItemSlider>(label, OptionsMenu, y, value, VOLUME_STEPS, values, names));
}

template <int N>
void addSlider(Menu& menu, const char* label, int y, int* value, const int (&values)[N],
               const char* const (&names)[N])
{
    menu.addItem(std::make_unique<MenuItemSlider>(label, OptionsMenu, y, value, N, values, names));
}

// From the clock, as at start-up, but finer than a second: two games begun in
// the same second still start differently.
std::uint32_t clockSeed()
{
    auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

// The replay's entry as the list shows it: its owner is named and its score
// is the one recorded, or the replay belongs to no entry.
bool captionFor(const Replay& replay, int place, std::string& caption)
{
    HighScoreTable table(HIGH_SCORE_FILE, HighScoreTable::ReadOnly);
    int index = 0;
    for (const auto& entry : table.getEntries()) {
        if (index++ != place)
            continue;
        if (entry->score != replay.finalScore)
            return false;
        caption = entry->listLine();
        return true;
    }
    return false;
}

} // namespace

WispenGame::WispenGame()
{
    std::snprintf(name, sizeof name, "%s", "Wispen");

    fillMainMenu();
    fillOptionsMenu();
    highScoreMenu.addItem(line("Back", MainMenu, 64));
    fillNameEntryMenu();
    fillCreditsMenu();

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

void WispenGame::fillMainMenu()
{
    Rows rows(86, 22);
    mainMenu.addItem(line("Play Game", NewGame, rows.next()));
    mainMenu.addItem(line("Options", OptionsMenu, rows.next()));
    mainMenu.addItem(line("High Scores", HighScores, rows.next()));
    mainMenu.addItem(line("Story", StoryScreen, rows.next()));
    mainMenu.addItem(line("Credits", CreditsMenu, rows.next()));
    mainMenu.addItem(line("Exit", ConfirmQuit, rows.next()));
}

void WispenGame::fillOptionsMenu()
{
    static const int particleValues[] = {0, 20, 40, 60};
    static const char* const particleNames[] = {"none", "few", "some", "a lot"};
    static const int starValues[] = {0, 100, 300, 600};
    static const char* const starNames[] = {"none", "few", "some", "a lot"};
    static const int difficultyValues[] = {0, 1, 2};
    static const char* const difficultyNames[] = {"easy", "normal", "hard"};

    Rows rows(80, 16);
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Use vsync", OptionsMenu, rows.next(), &settings.vsync));
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Unlimited FPS", OptionsMenu, rows.next(), &settings.unlimitedFPS));
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Show FPS", OptionsMenu, rows.next(), &settings.showFPS));
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Yield timeslice", OptionsMenu, rows.next(), &settings.yield));
    addSlider(optionsMenu, "Particles", rows.next(), &settings.maxParticles, particleValues, particleNames);
    addSlider(optionsMenu, "Stars", rows.next(), &settings.nStars, starValues, starNames);
    addSlider(optionsMenu, "Difficulty", rows.next(), &settings.difficulty, difficultyValues, difficultyNames);
    addVolumeSlider(optionsMenu, "Sound", rows.next(), &settings.volSound);
    addVolumeSlider(optionsMenu, "Music", rows.next(), &settings.volMusic);
    optionsMenu.addItem(line("Controls", ControlsScreen, rows.next()));
}

void WispenGame::fillNameEntryMenu()
{
    Rows rows(94, 22);
    nameEntryMenu.addItem(disabledLine("Congratulations!", EnterName, rows.next()));
    nameEntryMenu.addItem(disabledLine("You have a high score!", EnterName, rows.next()));
    nameEntryMenu.addItem(disabledLine("Please enter your name", EnterName, rows.next()));
    nameEntryMenu.addItem(std::make_unique<MenuItemEdit>("        ", HighScores, rows.next()));
}

void WispenGame::fillCreditsMenu()
{
    // Lines in pairs, each pair set apart from the next.
    constexpr int PAIR_GAP = 8;
    Rows rows(72, 16);
    creditsMenu.addItem(disabledLine("the WISPEN", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("for all who wander at night", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("code, gfx and music by", CreditsMenu, rows.gap(PAIR_GAP).next()));
    creditsMenu.addItem(disabledLine("the Wispen team", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("this game was written with the Allegro", CreditsMenu, rows.gap(PAIR_GAP).next()));
    creditsMenu.addItem(disabledLine("game programming library", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("(c) 2026 the Wispen team", CreditsMenu, rows.gap(PAIR_GAP).next()));
    creditsMenu.addItem(line("Back", MainMenu, rows.gap(PAIR_GAP).next()));
}

WispenGame::~WispenGame()
{
    // The stream is stopped before its module is unloaded: a renderer left
    // running over a freed module would read freed memory at shutdown.
    al_stop_duh(musicPlayer);
    musicPlayer = nullptr;
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

    musicVolume = volumeOfMusic();
    startMusic(MENU_MUSIC_ORDER);
    return Error(NoError);
}

bool WispenGame::logic()
{
    Game::logic();

    musicVolume = volumeOfMusic();
    if (musicPlayer) {
        al_duh_set_volume(musicPlayer, musicVolume);
        al_poll_duh(musicPlayer);
    }

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
        switchMusic(GAME_MUSIC_ORDER, GameMusic);
        setScreen(&playScreen);
        break;
    case ResumeGame:
        setScreen(&playScreen);
        break;
    case GameOverMusic:
        // The play screen stays current and keeps its snapshot.
        switchMusic(GAME_OVER_MUSIC_ORDER, GameOverMusicPart);
        break;
    case MainMenu:
        if (musicState != MenuMusic)
            switchMusic(MENU_MUSIC_ORDER, MenuMusic);
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
    playScreen.recording.finish(playScreen.score.total());
    archive.keepLastGame(playScreen.recording);
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
    playScreen.stopAmbientSets();
    carryOut(ConfirmAbandon);
    return true;
}

void WispenGame::countIdleTime()
{
    if (currentScreen != &mainMenu || controls.anyDeviceKeyHeld()) {
        idleTicks = 0;
        return;
    }
    if (++idleTicks < ATTRACT_DELAY_SECONDS * tickRate(settings.fps))
        return;
    idleTicks = 0;
    nextReplayPlace = 0;
    showNextHighScoreReplay();
}

// Best first; a place whose replay is missing, damaged, of another version or
// not the entry's own is passed over. After the last the main menu is back.
void WispenGame::showNextHighScoreReplay()
{
    while (nextReplayPlace < ReplayArchive::PLACES) {
        int place = nextReplayPlace++;
        Replay replay;
        std::string why;
        std::string caption;
        if (!Replay::read(archive.highScorePath(place), replay, why) || !captionFor(replay, place, caption))
            continue;
        replayScreen.result = NextReplay;
        replayScreen.keyResult = MainMenu;
        replayScreen.endHold = ATTRACT_END_SECONDS * tickRate(settings.fps);
        replayScreen.show(replay, caption, true);
        setScreen(&replayScreen);
        return;
    }
    setScreen(&mainMenu);
}

void WispenGame::watch(const Replay& replay)
{
    replayScreen.result = Quit;
    replayScreen.keyResult = Quit;
    replayScreen.endHold = -1;
    replayScreen.show(replay, "", false);
    switchMusic(GAME_MUSIC_ORDER, GameMusic);
    setScreen(&replayScreen);
}

void WispenGame::switchMusic(int order, int part)
{
    startMusic(order);
    musicState = part;
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

void WispenGame::startMusic(int order)
{
    al_stop_duh(musicPlayer);
    musicPlayer = nullptr;
    if (!music)
        return;
    DUH_SIGRENDERER* renderer = dumb_it_start_at_order(music, MUSIC_CHANNELS, order);
    if (!renderer)
        return;
    musicPlayer = al_duh_encapsulate_sigrenderer(renderer, musicVolume, MUSIC_BUFFER_SAMPLES, MUSIC_RATE);
    // Without a sound device there is no stream; the renderer is ours to end.
    if (!musicPlayer) {
        duh_end_sigrenderer(renderer);
        return;
    }
    // The stream starts on a silent buffer that the mixer is already playing:
    // filled now, not on the next tick, the piece is heard at once.
    al_poll_duh(musicPlayer);
}
