#include "app/DoubleBuffer.h"

#include <allegro.h>

#include "app/Settings.h"

Error DoubleBuffer::create()
{
    destroy();
    buffer = create_bitmap(SCREEN_W, SCREEN_H);
    if (!buffer)
        return Error(OutOfMemory);
    clear_bitmap(buffer);
    return Error(NoError);
}

void DoubleBuffer::destroy()
{
    if (buffer)
        destroy_bitmap(buffer);
    buffer = nullptr;
}

void DoubleBuffer::show()
{
    // The only strategy that waits for the retrace: the page strategies swap
    // whole pages, which the display does between two refreshes anyway.
    if (settings.vsync)
        vsync();
    blit(buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}

BITMAP* DoubleBuffer::getBuffer() { return buffer; }

const char* DoubleBuffer::getName() { return "Double Buferring"; }
