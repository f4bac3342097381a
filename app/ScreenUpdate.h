#pragma once

#include "app/Error.h"

struct BITMAP;

// A screen-update strategy: where a frame is drawn and how it reaches the
// visible screen. The main loop draws every frame through acquire, getBuffer,
// release and show, so screens never know which strategy Game holds. This
// base draws straight onto the screen and cannot fail.
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
};
