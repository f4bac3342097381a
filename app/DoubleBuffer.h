#pragma once

#include "app/ScreenUpdate.h"

// Draws each frame into a screen-sized bitmap in system memory and copies it
// to the screen in one blit, waiting for the retrace first when vsync is on.
class DoubleBuffer : public ScreenUpdate {
public:
    Error create() override;
    void destroy() override;
    void show() override;
    BITMAP* getBuffer() override;
    const char* getName() override;

    BITMAP* buffer = nullptr;
};
