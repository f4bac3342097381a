#include "desktop/TripleBuffer.h"

#include <allegro.h>

#include "desktop/Dispose.h"

Error TripleBuffer::create()
{
    destroy();
    if (!(gfx_capabilities & GFX_CAN_TRIPLE_BUFFER))
        enable_triple_buffer();
    if (!(gfx_capabilities & GFX_CAN_TRIPLE_BUFFER))
        return Error(TripleBufferUnavailable);

    Error pages = PageFlipping::create();
    if (pages.failed())
        return pages;
    page3 = create_video_bitmap(SCREEN_W, SCREEN_H);
    if (!page3) {
        destroy();
        return Error(OutOfVideoMemory);
    }
    rotation = 0;
    return Error(NoError);
}

void TripleBuffer::destroy()
{
    PageFlipping::destroy();
    dispose(page3, destroy_bitmap);
}

void TripleBuffer::show()
{
    // The page requested last time must be on display before another request.
    while (poll_scroll()) {
    }
    request_video_bitmap(active);
    rotation = (rotation + 1) % 3;
    BITMAP* const pages[3] = {page1, page2, page3};
    active = pages[rotation];
}

const char* TripleBuffer::getName() { return "Triple Buferring"; }
