#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "files/Error.h"
#include "desktop/FpsCounter.h"
#include "desktop/InstanceLock.h"
#include "desktop/DisplayMode.h"
#include "desktop/ScreenUpdate.h"
#include "desktop/UpdateDriverChain.h"

struct BITMAP;

// Logic ticks that are due and not yet run. The library's timer thread adds
// one per tick; the main loop takes them off.
extern std::atomic<int> timerTicks;

void timerTick();

// Whether the player has switched away from the game (another window has the
// input focus, or the display was switched away from full screen). Set and
// cleared by the library's display-switch hooks on its own thread; the ticks
// read it.
extern std::atomic<bool> switchedAway;
void onSwitchOut();
void onSwitchIn();


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
    // the window is closed. Alt+Enter and F11 switch between full screen and
    // a window. The answer is GfxMode when such a switch left no mode at all.
    Error run();

    // Full screen becomes a window or the other way round, keeping the game:
    // the strategy is made anew for the new mode, ticks that fell due during
    // the switch are not made up, and it is no switching away. When the
    // display refuses the other mode the one before is opened again; only
    // when that fails too the answer is GfxMode and no mode is left.
    Error switchFullscreen(ModeRequest request = requestMode, DesktopQuery desktop = desktopSize);

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
    // Alt+Enter or F11 went down since the last tick.
    bool modeSwitchPressed();
    // Title, close button and display-switch hooks, set again after a mode
    // change, which may drop them.
    void hookWindow();

    bool modeKeysHeld = false;
    InstanceLock lock;

    // Empty until start-up has read the settings: a start-up that failed
    // before then must not replace the player's file with the defaults.
    std::string settingsFile;
};
