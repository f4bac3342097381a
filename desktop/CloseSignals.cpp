#include "desktop/CloseSignals.h"

#include <csignal>

#include "desktop/Wakeup.h"

std::atomic<bool> closeRequested{false};

void onWindowClose()
{
    closeRequested = true;
    mainLoopWakeup.wake();
}

namespace {

const int CLOSE_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};

// A signal asks what the close button asks. Only the flag and the loop's
// wake-up are touched here: the library's own handler shut the display down
// from inside the signal and aborted when that came in the middle of a
// screen update. A second signal
// while the game is still ending it is taken with the signal's own effect,
// so a shutdown that hangs can still be stopped.
void onCloseSignal(int number)
{
    if (closeRequested.exchange(true)) {
        std::signal(number, SIG_DFL);
        std::raise(number);
    }
    mainLoopWakeup.wake();
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
