#pragma once

#include "desktop/PageFlipping.h"

// Page flipping over three video pages: a finished page is only requested for
// display, so drawing the next frame never waits for the retrace. Needs the
// driver's triple-buffering support, three pages of video memory and, as
// page flipping does, a display of exactly the frame's size.
class TripleBuffer : public PageFlipping {
public:
    Error create() override;
    void destroy() override;
    void show() override;
    const char* getName() override;

    BITMAP* page3 = nullptr;
    int rotation = 0;  // 0, 1, 2: the active page is page1, page2, page3
};
