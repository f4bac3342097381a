#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "app/Error.h"
#include "app/FpsCounter.h"
#include "app/ScreenUpdate.h"

struct BITMAP;

// Logic ticks that are due and not yet run. The library's timer thread adds
// one per tick; the main loop takes them off.
extern std::atomic<int> timerTicks;
// Set by the window's close button and the close signals, read by the main
// loop once per pass.
extern std::atomic<bool> closeRequested;

void timerTick();
void onWindowClose();
// SIGTERM, SIGINT and SIGHUP set closeRequested as the close button does; a
// second one once it is set ends the process by the signal.
void installCloseSignals();

// Start-up decisions kept apart from the library calls, so they can be
// checked without a display.

const int DEFAULT_TICK_RATE = 60;
// The library's timer thread cannot tick faster than about once a millisecond.
const int MAX_TICK_RATE = 1000;
// Wider than any display made; larger requests only meet X errors.
const int MAX_SCREEN_SIZE = 8192;

// The one other colour depth tried when the configured one is refused.
int alternativeDepth(int depth);

// The logic rate start-up uses for the fps setting: one the timer can deliver,
// otherwise the default. The setting itself is written back as it was.
int tickRate(int fps);

// Whether a w by h mode is worth asking the display for at all.
bool screenSizeAccepted(int w, int h);

// Share of the desktop's width and of its height, in per cent, an enlarged
// window may take: the rest is room for the window's frame and the panels.
const int WINDOW_DESKTOP_PERCENT = 90;

struct ModeSize {
    int w;
    int h;

    bool operator==(const ModeSize& other) const { return w == other.w && h == other.h; }
};

// The mode start-up asks for first, for the scale setting and a desktop of
// desktopW by desktopH (0 by 0 when unknown). A window is the w by h frame
// enlarged by the factor that fits the desktop with room to spare. Full screen
// takes the desktop's own size when the frame fits into it at 2x or more, so
// the display shows the enlarged frame instead of a mode switch or a small
// picture in black borders. Otherwise, and always at scale 1, the frame's own
// size: the game as it was before it could enlarge.
ModeSize preferredModeSize(int scale, bool fullscreen, int w, int h, int desktopW, int desktopH);

// Asks the display for one mode at one colour depth; true when it opened.
using ModeRequest = bool (*)(int card, int w, int h, int depth);
bool requestMode(int card, int w, int h, int depth);

// The desktop's size; false when the platform cannot tell.
using DesktopQuery = bool (*)(int* w, int* h);
bool desktopSize(int* w, int* h);

// Opens the preferred mode for the settings and the desktop, and when the
// display refuses it the frame's own size; each is retried once at the
// alternative depth, and when only that works it becomes the bpp setting, so
// it is what gets saved.
Error openGraphicsMode(ModeRequest request = requestMode, DesktopQuery desktop = desktopSize);

// The strategies start-up tries for a driver setting, best first. Each maker
// builds a fresh object, because a strategy that fails to install is deleted.
using UpdateDriverMaker = std::unique_ptr<ScreenUpdate> (*)();
std::vector<UpdateDriverMaker> updateDriverChain(int driver);

// The application frame: library start-up, the fixed-rate main loop, the
// frame-rate meter and the screen-update strategy. The application derives
// from it for its per-tick logic and its frames; main owns the one instance.
class Game {
public:
    Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Draws the frame-rate overlay when the showFPS setting is on.
    virtual void draw(BITMAP* target);
    // True ends the main loop: here, while Escape is held.
    virtual bool logic();
    // Deletes the strategy, stops the tick timer and writes the settings back
    // when start-up got as far as reading them.
    virtual ~Game();
    // The start-up sequence; the first failure ends it.
    virtual Error init();

    // Runs logic at the tick rate and draws frames until logic asks to quit or
    // the window is closed.
    void run();

    // Installs a strategy in place of the current one. When the new one cannot
    // be created it is deleted and the old one is re-created and kept.
    Error setUpdateDriver(std::unique_ptr<ScreenUpdate> driver);

    // Tries the chain in order until a strategy installs; the answer is the
    // last attempt's.
    Error installUpdateDriver(const std::vector<UpdateDriverMaker>& chain);

    FpsCounter fpsCounter;
    char name[32];
    std::unique_ptr<ScreenUpdate> updateDriver;

private:
    void drawFrame();

    // Empty until start-up has read the settings: a start-up that failed
    // before then must not replace the player's file with the defaults.
    std::string settingsFile;
};
