#pragma once

#include <atomic>

// Set by the window's close button and the close signals, read by the main
// loop once per pass.
extern std::atomic<bool> closeRequested;

void onWindowClose();
// SIGTERM, SIGINT and SIGHUP set closeRequested as the close button does; a
// second one once it is set ends the process by the signal.
void installCloseSignals();
