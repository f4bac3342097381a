#pragma once

#include "files/Error.h"

// The display: which mode start-up asks for and at which colour depth. The
// choices are kept apart from the library calls, so they can be checked
// without a display.

// Wider than any display made; larger requests only meet X errors.
const int MAX_SCREEN_SIZE = 8192;

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

// The same choice of size for a game already running, at the depth it runs
// at only: its pictures were made for that depth.
Error reopenGraphicsMode(ModeRequest request = requestMode, DesktopQuery desktop = desktopSize);
