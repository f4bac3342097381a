#include "desktop/PageFlipping.h"

#include <allegro.h>

#include "desktop/Dispose.h"
#include "desktop/FramePlacement.h"

Error PageFlipping::create()
{
    destroy();
    // A page is the whole display and the frame is drawn on it as it is: on
    // a larger display it could be neither enlarged nor centred, so the pages
    // are refused and start-up falls back to double buffering.
    if (!displayIsFrameSized())
        return Error(OutOfVideoMemory);
    page1 = create_video_bitmap(SCREEN_W, SCREEN_H);
    page2 = create_video_bitmap(SCREEN_W, SCREEN_H);
    if (!page1 || !page2) {
        destroy();
        return Error(OutOfVideoMemory);
    }
    active = page1;
    return Error(NoError);
}

void PageFlipping::destroy()
{
    dispose(page1, destroy_bitmap);
    dispose(page2, destroy_bitmap);
    active = nullptr;
}

void PageFlipping::show()
{
    show_video_bitmap(active);
    active = active == page1 ? page2 : page1;
}

BITMAP* PageFlipping::getBuffer() { return active; }

void PageFlipping::acquire() { acquire_bitmap(active); }

void PageFlipping::release() { release_bitmap(active); }

const char* PageFlipping::getName() { return "Page Flipping"; }
