#include "frame/Game.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "desktop/CloseSignals.h"
#include "input/Controls.h"
#include "desktop/DisplayMode.h"
#include "input/Gamepad.h"
#include "input/KeyTaps.h"
#include "settings/Settings.h"
#include "desktop/UpdateDriverChain.h"
#include "settings/ActionSetting.h"
#include "desktop/Wakeup.h"

std::atomic<int> timerTicks{0};
std::atomic<bool> switchedAway{false};

void timerTick()
{
    timerTicks++;
    mainLoopWakeup.wake();
}

void onSwitchOut() { switchedAway = true; }

void onSwitchIn() { switchedAway = false; }

namespace {

const int DIGITAL_VOICES = 32;
// Each voice at full scale in the mixer: the library's default halves every
// voice for the number reserved, which left the music 13 dB under the rest.
// The headroom is in the mastering of the samples and the module instead.
const int VOLUME_PER_VOICE = 0;

// Nothing for the loop to do: no tick due and no close asked for.
bool idle() { return timerTicks == 0 && !closeRequested; }

} // namespace

Game::Game()
{
    std::snprintf(name, sizeof name, "%s", "mygame");
}

Game::~Game()
{
    // Deleted without destroy: the process is ending, and the library's exit
    // handler takes the graphics mode down after this.
    updateDriver.reset();
    remove_int(timerTick);
    if (!settingsFile.empty())
        writeSettings(settingsFile.c_str());
}

void Game::draw(BITMAP* target)
{
    if (settings.showFPS)
        textprintf_ex(target, font, 0, 0, makecol(255, 255, 255), makecol(0, 0, 0), "%d FPS", fpsCounter.fps());
}

bool Game::logic() { return controls.held(Action::Back); }

Error Game::init()
{
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0)
        return Error(AllegroInit);
    // After the library, which puts its own handlers in place at start-up.
    installCloseSignals();
    // Before anything is read or written: a second game for the same player
    // changes nothing.
    char lockName[sizeof name + 5];
    std::snprintf(lockName, sizeof lockName, "%s.lock", name);
    if (!lock.take(lockName))
        return Error(AlreadyRunning);
    if (install_keyboard() != 0)
        return Error(KeyboardInstall);
    KeyTaps::install();
    // Timer before mouse, against the order of their codes: the mouse driver
    // may lean on the timer.
    if (install_timer() != 0)
        return Error(TimerInstall);
    if (install_mouse() < 0)
        return Error(MouseInstall);
    reserve_voices(DIGITAL_VOICES, 0);
    set_volume_per_voice(VOLUME_PER_VOICE);
    // Without a sound card the game runs silent.
    install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr);

    char fileName[sizeof name + 4];
    std::snprintf(fileName, sizeof fileName, "%s.ini", name);
    readSettings(fileName);
    settingsFile = fileName;
    // After the settings: they may turn the pad off, and the driver reads the
    // device's name from the configuration file.
    gamepad.install();

    hookWindow();
    Error mode = openGraphicsMode();
    if (mode.failed())
        return mode;
    hookWindow();
    int rate = tickRate(settings.fps);
    if (install_int_ex(timerTick, BPS_TO_TIMER(rate)) < 0)
        return Error(TimerInstall);
    // Every text call names its own background, transparent unless it says
    // otherwise, so there is no global text mode to set.
    srand(time(nullptr));
    fpsCounter.reset(rate);
    return installUpdateDriver(updateDriverChain(settings.driver));
}

void Game::hookWindow()
{
    set_window_title(name);
    set_close_button_callback(onWindowClose);
    // Play goes on in the background unless the game pauses itself; the
    // switch mode drops the hooks, so they follow it.
    set_display_switch_mode(SWITCH_BACKGROUND);
    set_display_switch_callback(SWITCH_OUT, onSwitchOut);
    set_display_switch_callback(SWITCH_IN, onSwitchIn);
}

Error Game::run()
{
    timerTicks = 0;
    bool redraw = true;  // the first frame comes before any logic
    bool quit = false;
    do {
        if (timerTicks != 0) {
            redraw = true;
            // Every due tick runs before the next frame; the last answer stands.
            // Ticks that take longer than the timer's period (an edited tick
            // rate near the timer's limit, a crowded game) keep this batch
            // from ever ending; the window's close button still ends it.
            while (timerTicks != 0 && !closeRequested) {
                timerTicks--;
                KeyTaps::take();
                if (modeSwitchPressed()) {
                    Error switched = switchFullscreen();
                    if (switched.failed())
                        return switched;
                }
                quit = logic();
                fpsCounter.tick();
            }
        }
        if (redraw || settings.unlimitedFPS) {
            redraw = false;
            drawFrame();
        }
        quit = quit || closeRequested;
        // The close button and the signals end the wait at once.
        if (settings.yield)
            mainLoopWakeup.sleepWhile(idle);
    } while (!quit);
    return Error(NoError);
}

bool Game::modeSwitchPressed()
{
    bool altEnter = (KeyTaps::down(MODE_SWITCH_ALTS[0]) || KeyTaps::down(MODE_SWITCH_ALTS[1])) && KeyTaps::down(KEY_ENTER);
    bool held = altEnter || KeyTaps::down(MODE_SWITCH_KEY);
    bool pressed = held && !modeKeysHeld;
    modeKeysHeld = held;
    // The Enter of Alt+Enter chooses nothing on the screen.
    if (pressed && altEnter)
        controls.ignoreUntilReleased(KEY_ENTER);
    return pressed;
}

Error Game::switchFullscreen(ModeRequest request, DesktopQuery desktop)
{
    // Video bitmaps do not outlive the mode they were made in.
    if (updateDriver)
        updateDriver->destroy();
    const int before = settings.fullscreen;
    settings.fullscreen = before ? 0 : 1;
    if (reopenGraphicsMode(request, desktop).failed()) {
        settings.fullscreen = before;
        if (reopenGraphicsMode(request, desktop).failed())
            return Error(GfxMode);
    }
    hookWindow();
    timerTicks = 0;
    // Windows made and unmade by the switch take the focus from one another.
    switchedAway = false;
    updateDriver.reset();
    return installUpdateDriver(updateDriverChain(settings.driver));
}

void Game::drawFrame()
{
    updateDriver->acquire();
    BITMAP* target = updateDriver->getBuffer();
    draw(target);
    updateDriver->release();
    updateDriver->show();
    fpsCounter.countFrame();
}

Error Game::setUpdateDriver(std::unique_ptr<ScreenUpdate> driver)
{
    if (updateDriver)
        updateDriver->destroy();
    Error created = driver->create();
    if (!created.failed()) {
        updateDriver = std::move(driver);
        return Error(NoError);
    }
    driver.reset();
    if (updateDriver)
        updateDriver->create();
    return created;
}

Error Game::installUpdateDriver(const std::vector<UpdateDriverMaker>& chain)
{
    // The driver setting is left as configured: a fallback is not saved.
    Error last(NoError);
    for (UpdateDriverMaker makeDriver : chain) {
        last = setUpdateDriver(makeDriver());
        if (!last.failed())
            break;
    }
    return last;
}
