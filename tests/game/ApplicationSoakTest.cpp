#include <algorithm>
#include <allegro.h>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's count of the bytes held by live allocations; its header
// comes with clang only, the function with every sanitizer runtime.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include "ApplicationTest.h"
#include "SoundLog.h"
#include "input/Controls.h"
#include "input/KeyNames.h"
#include "settings/Settings.h"
#include "flow/WispenGame.h"
#include "play/Spawner.h"
#include "ui/MenuItemEdit.h"

// A long session of the whole application, headless: random fingers on the
// keyboard walk every screen, play games at every difficulty, change the
// options through the options menu and type names into the high-score list.
// After every tick what must always hold is checked, and the heap in use at
// the end of the session must be what it was near its start.

namespace {

// A million ticks: over four and a half hours of play at 60 ticks a second.
// WISPEN_SOAK_TICKS sets another length for a longer night or a quick look.
constexpr long DEFAULT_TICKS = 1000000;
constexpr unsigned SESSION_SEED = 20260;
// Drawing is the dearest part of a tick; twice a second of game time still
// draws every screen in every state it stays in for more than a moment.
constexpr long DRAW_EVERY = 32;
// Memory is compared between the first and the last stretch of this many
// ticks (a tenth of the session when it is shorter than a million).
constexpr long MEMORY_WINDOW = 100000;
// At the main menu the heap still holds what the last game left (its souls,
// stars, trails and bubbles, up to a few hundred kilobytes); a leak of one
// byte a tick grows past this within a million ticks.
constexpr long HEAP_TOLERANCE = 512 << 10;
// The resident size also holds the allocator's free lists, which the largest
// game so far has sized.
constexpr long RESIDENT_TOLERANCE = 4 << 20;

long soakTicks()
{
    const char* asked = std::getenv("WISPEN_SOAK_TICKS");
    long ticks = asked ? std::atol(asked) : DEFAULT_TICKS;
    return ticks > 0 ? ticks : DEFAULT_TICKS;
}

long heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
    struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
#endif
}

long residentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

// Readkey refuses to read the key buffer without a keyboard driver; a readkey
// hook in its place lets simulate_keypress feed the name field as typing does.
int emptyKeyBuffer() { return 0; }

bool oneIn(int n) { return std::rand() % n == 0; }

// A key the fingers use on a screen: an up key goes down with one chance in
// press per tick, a down key comes up with one chance in release.
struct Finger {
    int scancode;
    int press;
    int release;
};

// Each screen gets the keys it answers to, at rates that make a session
// reach its far corners often: lost games, qualifying scores, typed names,
// every option at every choice. Escape is rare where it would cut that short.
constexpr Finger PLAY_FINGERS[] = {{KEY_LEFT, 15, 15}, {KEY_RIGHT, 15, 15}, {KEY_UP, 15, 15},
                                   {KEY_DOWN, 15, 15}, {KEY_ENTER, 30, 2},  {KEY_ESC, 2500, 2}};
constexpr Finger PROMPT_FINGERS[] = {{KEY_Y, 30, 2}, {KEY_N, 25, 2}, {KEY_ENTER, 40, 2}, {KEY_ESC, 40, 2}};
constexpr Finger STORY_FINGERS[] = {{KEY_DOWN, 8, 20}, {KEY_UP, 40, 10}, {KEY_ENTER, 250, 2}, {KEY_ESC, 400, 2}};
constexpr Finger OPTIONS_FINGERS[] = {{KEY_UP, 10, 2},   {KEY_DOWN, 10, 2},  {KEY_LEFT, 12, 2},
                                      {KEY_RIGHT, 12, 2}, {KEY_ENTER, 15, 2}, {KEY_BACKSPACE, 25, 2},
                                      {KEY_ESC, 150, 2}};
constexpr Finger NAME_FINGERS[] = {{KEY_ENTER, 60, 2}, {KEY_ESC, 150, 2}, {KEY_DOWN, 30, 2}};
constexpr Finger MAIN_FINGERS[] = {{KEY_UP, 12, 2}, {KEY_DOWN, 8, 2}, {KEY_ENTER, 25, 2}, {KEY_ESC, 300, 2}};
constexpr Finger LIST_FINGERS[] = {{KEY_UP, 10, 2}, {KEY_DOWN, 10, 2}, {KEY_ENTER, 30, 2}, {KEY_ESC, 60, 2}};
constexpr int ALL_KEYS[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_ENTER, KEY_ESC, KEY_Y, KEY_N, KEY_BACKSPACE};

struct FingerSet {
    const Finger* begin;
    const Finger* end;
};

template <size_t N>
FingerSet fingerSet(const Finger (&fingers)[N])
{
    return {fingers, fingers + N};
}

bool finite(const Vector& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

bool insideItsBox(const Object& object)
{
    return object.pos.x >= object.boundsMin.x && object.pos.x <= object.boundsMax.x &&
           object.pos.y >= object.boundsMin.y && object.pos.y <= object.boundsMax.y;
}

bool oneOf(int value, std::initializer_list<int> allowed)
{
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

// The invariants are plain comparisons, each naming what broke: the test
// framework's assertions, a few dozen a tick for a million ticks, would cost
// more than the game itself under the sanitizers.
#define SOAK_EXPECT(condition, what) \
    if (!(condition))                \
    return what

class Soak : public ApplicationTest {
protected:
    enum ScreenIndex {
        MainScreen,
        Options,
        Scores,
        NameEntry,
        Credits,
        Play,
        Abandon,
        QuitQuestion,
        StoryText,
        ControlsList,
        COUNT
    };

    void beforeStart() override
    {
        std::filesystem::copy_file(std::string(WISPEN_RUN_DIR) + "/story", "story");
        install_keyboard_hooks(nullptr, emptyKeyBuffer);
        clear_keybuf();
    }

    void SetUp() override
    {
        ApplicationTest::SetUp();
        screens = {&game->mainMenu,    &game->optionsMenu, &game->highScoreMenu,
                   &game->nameEntryMenu, &game->creditsMenu, &game->playScreen,
                   &game->abandonPrompt, &game->quitPrompt,  &game->storyScreen, &game->controlsMenu};
        // What start-up does with the screens once the library is running.
        for (int index : {MainScreen, Options, Scores, Credits, StoryText, Play})
            ASSERT_FALSE(screens[index]->start().failed());
        game->fpsCounter.reset(60);
        startingSettings = settings;
        storyLines = game->storyScreen.lines.size();
        ASSERT_GT(storyLines, 1u) << "the story is read from the working directory";
        nameField = dynamic_cast<MenuItemEdit*>(game->nameEntryMenu.items.at(3).get());
        ASSERT_NE(nullptr, nameField);
        starsAtStart = static_cast<int>(game->playScreen.stars.size());
        fastestSpawn = Spawner::spawnInterval();
    }

    void TearDown() override
    {
        ApplicationTest::TearDown();
        destroySpriteScratch();
        clear_keybuf();
        install_keyboard_hooks(nullptr, nullptr);
    }

    int screenIndex(const GameScreen* screen) const
    {
        return static_cast<int>(std::find(screens.begin(), screens.end(), screen) - screens.begin());
    }

    FingerSet fingersOn(int screen) const
    {
        switch (screen) {
        case Play:
            return fingerSet(PLAY_FINGERS);
        case Abandon:
        case QuitQuestion:
            return fingerSet(PROMPT_FINGERS);
        case StoryText:
            return fingerSet(STORY_FINGERS);
        case Options:
            return fingerSet(OPTIONS_FINGERS);
        case NameEntry:
            return fingerSet(NAME_FINGERS);
        case MainScreen:
            return fingerSet(MAIN_FINGERS);
        default:
            return fingerSet(LIST_FINGERS);
        }
    }

    // The fingers know the controls: a finger on an action's default key
    // presses the key the controls screen has bound to it since.
    static int boundKey(int scancode)
    {
        for (int a = 0; a < ACTION_COUNT; a++)
            if (Controls::defaultKey(static_cast<Action>(a)) == scancode)
                return controls.keyOf(static_cast<Action>(a));
        return scancode;
    }

    // Lifts every key this screen does not use and moves the ones it does;
    // in the name entry a key is typed now and then.
    void moveFingers(int screen)
    {
        const FingerSet hand = fingersOn(screen);
        for (int scancode : ALL_KEYS)
            if (std::none_of(hand.begin, hand.end, [scancode](const Finger& f) { return f.scancode == scancode; }))
                key[boundKey(scancode)] = 0;
        for (const Finger* finger = hand.begin; finger != hand.end; finger++) {
            const int pressed = boundKey(finger->scancode);
            key[pressed] = key[pressed] ? !oneIn(finger->release) : oneIn(finger->press);
        }
        if (screen != NameEntry)
            clear_keybuf();
        else if (oneIn(6))
            typeOneKey();
    }

    static void typeOneKey()
    {
        if (oneIn(5)) {
            simulate_keypress(KEY_BACKSPACE << 8 | 8);
            return;
        }
        const int letter = std::rand() % 26;
        simulate_keypress((KEY_A + letter) << 8 | ('a' + letter));
    }

    // Follows the session, so the invariants know what to expect and the
    // test can tell what was reached.
    void observe(int before, int now)
    {
        if (now < COUNT)
            visits[now]++;
        if (now == Play)
            playTicksAt[std::clamp(settings.difficulty, 0, 2)]++;
        if (now == Play && before != Play && before != Abandon) {
            // The flow seeds a new game from the clock, and the game reseeds
            // the generator the fingers draw from; a seed of the session's own
            // plays the same session on every run and every architecture.
            game->playScreen.begin(static_cast<std::uint32_t>(SESSION_SEED + gamesStarted));
            gamesStarted++;
            ticksInGame = 0;
            starsAtStart = static_cast<int>(game->playScreen.stars.size());
            fastestSpawn = Spawner::spawnInterval();
        }
        ticksInGame++;
        fastestSpawn = std::min(fastestSpawn, Spawner::spawnInterval());
        if (now == NameEntry && before != NameEntry)
            namesEntered++;
        if (musicState == GameOverMusicPart && lastMusic != GameOverMusicPart)
            gamesLost++;
        lastMusic = musicState;
    }

    const char* brokenScreens(int now) const
    {
        SOAK_EXPECT(now < COUNT, "the current screen is none of the ten");
        SOAK_EXPECT(game->mainMenu.items.size() == 6, "main menu entries");
        SOAK_EXPECT(game->optionsMenu.items.size() == 10, "options entries");
        SOAK_EXPECT(game->nameEntryMenu.items.size() == 4, "name entry lines");
        SOAK_EXPECT(game->creditsMenu.items.size() == 8, "credits lines");
        SOAK_EXPECT(oneOf(static_cast<int>(game->highScoreMenu.items.size()), {1, 9}), "high-score lines");
        SOAK_EXPECT(game->storyScreen.lines.size() == storyLines, "story lines");
        SOAK_EXPECT(nameField->text.size() == static_cast<size_t>(NAME_LENGTH), "name field width");
        SOAK_EXPECT(nameField->cursor >= 0 && nameField->cursor <= NAME_LENGTH, "name cursor");
        SOAK_EXPECT(game->musicStream.volume >= 0.0f && game->musicStream.volume < 1.0f, "music volume");
        // One panel picture at a time, never larger than the widest menu.
        SOAK_EXPECT(!Menu::panelBitmap || (Menu::panelBitmap->w <= 640 && Menu::panelBitmap->h <= 240),
                    "menu panel size");
        return nullptr;
    }

    // The options menu is the session's only way to change settings, so each
    // stays on one of its choices and every other key stays as it started.
    const char* brokenSettings() const
    {
        for (int toggle : {settings.vsync, settings.unlimitedFPS, settings.showFPS, settings.yield})
            SOAK_EXPECT(toggle == 0 || toggle == 1, "a toggle off its two values");
        SOAK_EXPECT(oneOf(settings.maxParticles, {0, 20, 40, 60}), "particles off the options' choices");
        SOAK_EXPECT(oneOf(settings.nStars, {0, 100, 300, 600}), "stars off the options' choices");
        SOAK_EXPECT(oneOf(settings.difficulty, {0, 1, 2}), "difficulty off the options' choices");
        for (int volume : {settings.volSound, settings.volMusic})
            SOAK_EXPECT(volume >= 0 && volume <= 250 && volume % 25 == 0, "a volume off the options' choices");
        Settings others = settings;
        others.vsync = startingSettings.vsync;
        others.unlimitedFPS = startingSettings.unlimitedFPS;
        others.showFPS = startingSettings.showFPS;
        others.yield = startingSettings.yield;
        others.maxParticles = startingSettings.maxParticles;
        others.nStars = startingSettings.nStars;
        others.difficulty = startingSettings.difficulty;
        others.volSound = startingSettings.volSound;
        others.volMusic = startingSettings.volMusic;
        // The controls screen binds any key the fingers press, and pad
        // buttons: whatever it chose, every action has a key of its own.
        for (int a = 0; a < ACTION_COUNT; a++) {
            const Action action = static_cast<Action>(a);
            setKeyName(others, action, keyNameOf(startingSettings, action));
            setPadButton(others, action, padButtonOf(startingSettings, action));
            SOAK_EXPECT(scancodeNamed(keyNameOf(settings, action)) == controls.keyOf(action), "a key the file would not name");
        }
        const Controls::Keys bound = Controls::keysOf(settings);
        SOAK_EXPECT(std::set<int>(bound.begin(), bound.end()).size() == ACTION_COUNT, "two actions on one key");
        SOAK_EXPECT(std::memcmp(&others, &startingSettings, sizeof others) == 0, "a setting the options do not offer");
        return nullptr;
    }

    static const char* brokenCreature(const Player& creature)
    {
        SOAK_EXPECT(finite(creature.pos) && finite(creature.vel), "a creature's place or speed is no number");
        SOAK_EXPECT(insideItsBox(creature), "a creature outside its box");
        SOAK_EXPECT(std::isfinite(creature.health), "a creature's health is no number");
        SOAK_EXPECT(creature.particles.size() <= 60, "a trail longer than the options' longest");
        return nullptr;
    }

    const char* brokenPlayScreen() const
    {
        const MainGame& play = game->playScreen;
        SOAK_EXPECT(play.player && play.camera, "a play screen without creature or camera");
        if (const char* broken = brokenCreature(*play.player))
            return broken;
        SOAK_EXPECT(finite(play.camera->pos), "the camera's place is no number");
        const size_t soulLimit = 5 + ticksInGame / fastestSpawn + 1;
        SOAK_EXPECT(play.souls.size() <= soulLimit, "more souls than the spawn timer allows");
        for (const auto& soul : play.souls) {
            SOAK_EXPECT(soul->state != Dead, "a dead soul kept");
            if (const char* broken = brokenCreature(*soul))
                return broken;
        }
        SOAK_EXPECT(play.powerups.size() <= 6, "more power-ups than one every 120 ticks, each gone after 660");
        for (const auto& powerup : play.powerups) {
            SOAK_EXPECT(powerup->state != Dead, "a dead power-up kept");
            SOAK_EXPECT(powerup->particles.size() <= Powerup::FOUNTAIN_LIMIT + Powerup::BURST_PARTICLES,
                        "a fountain larger than fountain and burst together");
        }
        SOAK_EXPECT(play.bubbles.size() <= ScoreBubble::LIFE * (play.souls.size() + 2), "bubbles piling up");
        for (const auto& bubble : play.bubbles)
            SOAK_EXPECT(bubble->life >= 1 && bubble->life <= ScoreBubble::LIFE, "a bubble kept past its life");
        SOAK_EXPECT(play.stars.size() == static_cast<size_t>(starsAtStart), "stars changed during a game");
        SOAK_EXPECT(play.score.value() >= 0 && play.score.value() <= play.score.total(), "score display");
        SOAK_EXPECT(!spriteScratch || (spriteScratch->w == 2 * settings.rad && spriteScratch->h == 2 * settings.rad),
                    "sprite scratch size");
        return nullptr;
    }

    const char* brokenSounds() const
    {
        for (const SoundEvent& event : sounds.events())
            SOAK_EXPECT(event.volume >= 0 && event.volume <= MAX_VOLUME, "a sample outside silence to full");
        return nullptr;
    }

    const char* brokenInvariant(int now) const
    {
        for (const char* broken : {brokenScreens(now), brokenSettings(), brokenPlayScreen(), brokenSounds()})
            if (broken)
                return broken;
        return nullptr;
    }

    SoundLog sounds;
    std::array<GameScreen*, COUNT> screens{};
    MenuItemEdit* nameField = nullptr;
    Picture frame;
    Settings startingSettings;
    size_t storyLines = 0;

    long visits[COUNT] = {};
    long playTicksAt[3] = {};
    long gamesStarted = 0;
    long gamesLost = 0;
    long namesEntered = 0;
    long quits = 0;
    long ticksInGame = 0;
    int starsAtStart = 0;
    int fastestSpawn = 1;
    int lastMusic = MenuMusic;
};

} // namespace

TEST_F(Soak, RandomSessionCrossesEveryScreenAndDifficultyWithMemoryFlat)
{
    const long ticks = soakTicks();
    const long window = std::min(MEMORY_WINDOW, ticks / 10);
    std::srand(SESSION_SEED);

    long earlyHeap = std::numeric_limits<long>::max();
    long lateHeap = std::numeric_limits<long>::max();
    long earlyResident = 0;
    const auto began = std::chrono::steady_clock::now();
    int now = screenIndex(game->currentScreen);
    for (long tick = 1; tick <= ticks; tick++) {
        const int before = now;
        moveFingers(before);
        if (game->logic()) {
            // The player quit; the next session starts at the main menu.
            quits++;
            game->setScreen(&game->mainMenu);
        }
        game->fpsCounter.tick();
        now = screenIndex(game->currentScreen);
        observe(before, now);
        if (tick % DRAW_EVERY == 0) {
            game->draw(frame);
            game->fpsCounter.countFrame();
        }
        if (const char* broken = brokenInvariant(now))
            FAIL() << broken << " at tick " << tick;
        sounds.clear();

        // Sampled on coming back to the main menu: the least of a stretch is
        // what the session holds with the smallest game behind it.
        if (now == MainScreen && before != MainScreen) {
            if (tick <= window)
                earlyHeap = std::min(earlyHeap, heapInUse());
            if (tick > ticks - window)
                lateHeap = std::min(lateHeap, heapInUse());
        }
        if (tick == window)
            earlyResident = residentBytes();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    const long lateResident = residentBytes();

    std::cout << ticks << " ticks in " << seconds << " s (" << static_cast<long>(ticks / seconds)
              << " ticks/s): " << gamesStarted << " games, " << gamesLost << " lost, " << namesEntered
              << " names entered, " << quits << " quits; ticks of play at each difficulty " << playTicksAt[0]
              << " / " << playTicksAt[1] << " / " << playTicksAt[2] << "\n"
              << "heap at the main menu " << earlyHeap << " early, " << lateHeap << " late; resident "
              << earlyResident << " early, " << lateResident << " late\n";

    const char* names[COUNT] = {"main menu", "options",  "high scores", "name entry", "credits",
                                "play",      "abandon?", "quit?",       "story",      "controls"};
    for (int screen = 0; screen < COUNT; screen++)
        EXPECT_GT(visits[screen], 0) << names[screen] << " never reached";
    for (int difficulty = 0; difficulty < 3; difficulty++)
        EXPECT_GT(playTicksAt[difficulty], 0) << "never played at difficulty " << difficulty;
    EXPECT_GT(gamesLost, 0);
    EXPECT_GT(namesEntered, 0);

    ASSERT_NE(std::numeric_limits<long>::max(), earlyHeap) << "the main menu was never reached early";
    ASSERT_NE(std::numeric_limits<long>::max(), lateHeap) << "the main menu was never reached late";
    EXPECT_LE(lateHeap - earlyHeap, HEAP_TOLERANCE);
#if !defined(__SANITIZE_ADDRESS__)
    // The sanitizer keeps freed memory in quarantine, resident on purpose, so
    // only the normal build's resident size says anything about leaks.
    EXPECT_LE(lateResident - earlyResident, RESIDENT_TOLERANCE);
#endif
}
