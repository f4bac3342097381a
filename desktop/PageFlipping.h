#pragma once

#include "desktop/ScreenUpdate.h"

// Draws into one of two video pages while the other is on display, then
// shows the finished one. Needs two screen-sized pages of video memory and a
// display of exactly the frame's size.
class PageFlipping : public ScreenUpdate {
public:
    Error create() override;
    void destroy() override;
    void show() override;
    BITMAP* getBuffer() override;
    void acquire() override;
    void release() override;
    const char* getName() override;

    BITMAP* page1 = nullptr;
    BITMAP* page2 = nullptr;
    BITMAP* active = nullptr;  // the page that receives the next frame; not owned
};
