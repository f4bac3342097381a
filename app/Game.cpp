#include "app/Game.h"

#include <allegro.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/DoubleBuffer.h"
#include "app/FramePlacement.h"
#include "app/Gamepad.h"
#include "app/Controls.h"
#include "app/PageFlipping.h"
#include "app/Settings.h"
#include "app/TripleBuffer.h"

std::atomic<int> timerTicks{0};
std::atomic<bool> closeRequested{false};

void timerTick() { timerTicks++; }

void onWindowClose() { closeRequested = true; }

namespace {

const int CLOSE_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

// A signal asks what the close button asks. Only the flag is touched here:
// the library's own handler shut the display down from inside the signal and
// aborted when that came in the middle of a screen update. A second signal
// while the game is still ending it is taken with the signal's own effect,
// so a shutdown that hangs can still be stopped.
void onCloseSignal(int number)
{
    if (closeRequested.exchange(true)) {
        std::signal(number, SIG_DFL);
        std::raise(number);
    }
}

} // namespace

void installCloseSignals()
{
    struct sigaction action = {};
    action.sa_handler = onCloseSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : CLOSE_SIGNALS)
        sigaction(number, &action, nullptr);
}

namespace {

const int DIGITAL_VOICES = 32;
// Each voice at full scale in the mixer: the library's default halves every
// voice for the number reserved, which left the music 13 dB under the rest.
// The headroom is in the mastering of the samples and the module instead.
const int VOLUME_PER_VOICE = 0;
const int PALETTE_DEPTH = 8;

void sleepOneMillisecond()
{
    timespec pause{0, 1000000};
    nanosleep(&pause, nullptr);
}

// The part of one side of the desktop a window may take.
int windowRoom(int desktopSide)
{
    return static_cast<int>(static_cast<long long>(desktopSide) * WINDOW_DESKTOP_PERCENT / 100);
}

// The game's sprites are blended in true colour. A palette mode has no colour
// map to blend through, and the X driver opens one on any display, so the
// first translucent sprite would crash: that depth counts as refused.
bool depthDrawable(int depth) { return depth != PALETTE_DEPTH; }

// The mode at the configured depth, else at the alternative one, which then
// becomes the bpp setting.
bool openAtEitherDepth(ModeRequest request, int card, ModeSize size)
{
    if (depthDrawable(settings.bpp) && request(card, size.w, size.h, settings.bpp))
        return true;
    int alternative = alternativeDepth(settings.bpp);
    if (!request(card, size.w, size.h, alternative))
        return false;
    settings.bpp = alternative;
    return true;
}

template <typename Strategy>
std::unique_ptr<ScreenUpdate> make()
{
    return std::make_unique<Strategy>();
}

} // namespace

int alternativeDepth(int depth)
{
    switch (depth) {
    case 15:
        return 16;
    case 16:
        return 15;
    case 24:
        return 32;
    case 32:
        return 24;
    case PALETTE_DEPTH:
        // Nothing sensible to fall back to from a palette mode; the retry at
        // depth 0 is refused by the library and start-up ends with GfxMode.
        return 0;
    default:
        return 16;
    }
}

int tickRate(int fps)
{
    if (fps < 1 || fps > MAX_TICK_RATE)
        return DEFAULT_TICK_RATE;
    return fps;
}

bool screenSizeAccepted(int w, int h)
{
    return w >= 1 && w <= MAX_SCREEN_SIZE && h >= 1 && h <= MAX_SCREEN_SIZE;
}

ModeSize preferredModeSize(int scale, bool fullscreen, int w, int h, int desktopW, int desktopH)
{
    ModeSize frameSized{w, h};
    if (scale == 1)
        return frameSized;
    if (fullscreen) {
        if (fittingScale(w, h, desktopW, desktopH) < 2)
            return frameSized;
        return {desktopW, desktopH};
    }
    int factor = chosenScale(scale, fittingScale(w, h, windowRoom(desktopW), windowRoom(desktopH)));
    return {w * factor, h * factor};
}

bool requestMode(int card, int w, int h, int depth)
{
    set_color_depth(depth);
    return set_gfx_mode(card, w, h, 0, 0) == 0;
}

bool desktopSize(int* w, int* h) { return get_desktop_resolution(w, h) == 0; }

Error openGraphicsMode(ModeRequest request, DesktopQuery desktop)
{
    // The windowed X driver opens a negative width and aborts the process on
    // a zero or huge one, so such sizes never reach it.
    if (!screenSizeAccepted(settings.w, settings.h))
        return Error(GfxMode);
    int card = settings.fullscreen ? GFX_AUTODETECT : GFX_AUTODETECT_WINDOWED;
    int desktopW = 0;
    int desktopH = 0;
    if (!desktop(&desktopW, &desktopH))
        desktopW = desktopH = 0;
    ModeSize frameSized{settings.w, settings.h};
    ModeSize preferred =
        preferredModeSize(settings.scale, settings.fullscreen != 0, settings.w, settings.h, desktopW, desktopH);
    // A display that refuses the enlarged mode still gets the game it got
    // before the picture could be enlarged.
    if (!(preferred == frameSized) && screenSizeAccepted(preferred.w, preferred.h) &&
        openAtEitherDepth(request, card, preferred))
        return Error(NoError);
    if (!openAtEitherDepth(request, card, frameSized))
        return Error(GfxMode);
    return Error(NoError);
}

std::vector<UpdateDriverMaker> updateDriverChain(int driver)
{
    switch (driver) {
    case 2:
        return {make<TripleBuffer>, make<PageFlipping>, make<DoubleBuffer>, make<ScreenUpdate>};
    case 1:
        return {make<PageFlipping>, make<DoubleBuffer>, make<ScreenUpdate>};
    case 0:
        return {make<DoubleBuffer>, make<ScreenUpdate>};
    default:
        return {make<ScreenUpdate>};
    }
}

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
    if (install_keyboard() != 0)
        return Error(KeyboardInstall);
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

    set_window_title(name);
    set_close_button_callback(onWindowClose);
    set_display_switch_mode(SWITCH_BACKGROUND);

    Error mode = openGraphicsMode();
    if (mode.failed())
        return mode;
    int rate = tickRate(settings.fps);
    if (install_int_ex(timerTick, BPS_TO_TIMER(rate)) < 0)
        return Error(TimerInstall);
    // Every text call names its own background, transparent unless it says
    // otherwise, so there is no global text mode to set.
    srand(time(nullptr));
    fpsCounter.reset(rate);
    return installUpdateDriver(updateDriverChain(settings.driver));
}

void Game::run()
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
                quit = logic();
                fpsCounter.tick();
            }
        }
        if (redraw || settings.unlimitedFPS) {
            redraw = false;
            drawFrame();
        }
        quit = quit || closeRequested;
        if (settings.yield) {
            while (timerTicks == 0)
                sleepOneMillisecond();
        }
    } while (!quit);
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
