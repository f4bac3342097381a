#pragma once

#include "files/Error.h"

struct BITMAP;

// A screen-update strategy: where a frame is drawn and how it reaches the
// visible screen. The main loop draws every frame through acquire, getBuffer,
// release and show, so screens never know which strategy Game holds. This
// base draws straight onto the screen and cannot fail. It cannot enlarge the
// frame either: on a display larger than the frame it draws into the middle
// of the cleared screen at the frame's own size.
class ScreenUpdate {
public:
    // Releases nothing: destroy gives the bitmaps back.
    virtual ~ScreenUpdate();

    // Allocates what the strategy needs for the current graphics mode. A
    // failed create leaves nothing allocated, and create may follow destroy.
    virtual Error create();
    // Safe to call twice, or before any create.
    virtual void destroy();
    virtual void show();
    virtual BITMAP* getBuffer();
    virtual void acquire();
    virtual void release();
    virtual const char* getName();

private:
    // Part of the screen, the frame's size and centred; only while the
    // display is larger than the frame.
    BITMAP* frameArea = nullptr;
};
