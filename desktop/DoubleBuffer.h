#pragma once

#include "desktop/FramePlacement.h"
#include "desktop/ScreenUpdate.h"

// Draws each frame into a bitmap of the frame's logical size in system memory
// and copies it to the screen in one blit, waiting for the retrace first when
// vsync is on. On a display larger than the frame it is enlarged by the
// placement's whole factor into a second memory bitmap first, and the blit
// puts it in the middle of the cleared screen.
class DoubleBuffer : public ScreenUpdate {
public:
    Error create() override;
    void destroy() override;
    void show() override;
    BITMAP* getBuffer() override;
    const char* getName() override;

    BITMAP* buffer = nullptr;
    BITMAP* enlarged = nullptr;  // scale times the frame's size; only while the scale is above 1
    FramePlacement placement;
};

// Copies frame into the top-left corner of target with every pixel repeated
// scale times across and down, so edges stay hard. Both are memory bitmaps of
// one colour depth and target holds at least scale times the frame's size.
void enlargeFrame(BITMAP* frame, BITMAP* target, int scale);
