#include "desktop/ScreenUpdate.h"

#include <allegro.h>

#include "desktop/Dispose.h"
#include "desktop/FramePlacement.h"
#include "settings/Settings.h"

ScreenUpdate::~ScreenUpdate() = default;

Error ScreenUpdate::create()
{
    destroy();
    if (!screen || displayIsFrameSized())
        return Error(NoError);
    // Screens must still lay out against the frame's size, never the larger
    // display's: they get a frame-sized window onto the screen's middle.
    FramePlacement centred = placeFrame(1, settings.w, settings.h, SCREEN_W, SCREEN_H);
    clear_bitmap(screen);
    frameArea = create_sub_bitmap(screen, centred.x, centred.y, settings.w, settings.h);
    return Error(NoError);
}

void ScreenUpdate::destroy()
{
    dispose(frameArea, destroy_bitmap);
}

// The frame was drawn on the visible screen already.
void ScreenUpdate::show() {}

// Without memory for the frame area the screen itself is the target: the
// frame then sits in the top-left corner, drawn all the same.
BITMAP* ScreenUpdate::getBuffer() { return frameArea ? frameArea : screen; }

void ScreenUpdate::acquire() { acquire_screen(); }

void ScreenUpdate::release() { release_screen(); }

const char* ScreenUpdate::getName() { return "default update driver"; }
