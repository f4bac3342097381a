#include "desktop/DoubleBuffer.h"

#include <allegro.h>
#include <cstdint>
#include <cstring>

#include "desktop/Dispose.h"
#include "settings/Settings.h"

namespace {

struct Pixel24 {
    unsigned char bytes[3];
};

// One frame row written out scale times wider, then copied to the scale - 1
// rows below it: the copies are whole-row memcpy calls, far cheaper than the
// library's general stretch, which steps through every target pixel.
template <typename Pixel>
void enlargeRows(BITMAP* frame, BITMAP* target, int scale)
{
    const size_t rowBytes = sizeof(Pixel) * frame->w * scale;
    for (int y = 0; y < frame->h; y++) {
        const Pixel* in = reinterpret_cast<const Pixel*>(frame->line[y]);
        Pixel* first = reinterpret_cast<Pixel*>(target->line[y * scale]);
        Pixel* out = first;
        for (int x = 0; x < frame->w; x++) {
            const Pixel pixel = in[x];
            for (int repeat = 0; repeat < scale; repeat++)
                *out++ = pixel;
        }
        for (int copy = 1; copy < scale; copy++)
            std::memcpy(target->line[y * scale + copy], first, rowBytes);
    }
}

} // namespace

void enlargeFrame(BITMAP* frame, BITMAP* target, int scale)
{
    switch (bitmap_color_depth(frame)) {
    case 8:
        enlargeRows<std::uint8_t>(frame, target, scale);
        break;
    case 15:
    case 16:
        enlargeRows<std::uint16_t>(frame, target, scale);
        break;
    case 24:
        enlargeRows<Pixel24>(frame, target, scale);
        break;
    case 32:
        enlargeRows<std::uint32_t>(frame, target, scale);
        break;
    default:
        // An integer factor makes the library's stretch nearest-neighbour too.
        stretch_blit(frame, target, 0, 0, frame->w, frame->h, 0, 0, frame->w * scale, frame->h * scale);
        break;
    }
}

Error DoubleBuffer::create()
{
    destroy();
    // Screens lay out against the frame's own size whatever the mode.
    buffer = create_bitmap(settings.w, settings.h);
    if (!buffer)
        return Error(OutOfMemory);
    clear_bitmap(buffer);
    placement = currentFramePlacement();
    if (placement.scale > 1) {
        enlarged = create_bitmap(buffer->w * placement.scale, buffer->h * placement.scale);
        if (!enlarged) {
            destroy();
            return Error(OutOfMemory);
        }
    }
    // The border around the frame is never drawn again, so it is cleared once.
    if (screen && !displayIsFrameSized())
        clear_bitmap(screen);
    return Error(NoError);
}

void DoubleBuffer::destroy()
{
    dispose(buffer, destroy_bitmap);
    dispose(enlarged, destroy_bitmap);
}

void DoubleBuffer::show()
{
    BITMAP* picture = buffer;
    if (enlarged) {
        enlargeFrame(buffer, enlarged, placement.scale);
        picture = enlarged;
    }
    // The only strategy that waits for the retrace: the page strategies swap
    // whole pages, which the display does between two refreshes anyway.
    if (settings.vsync)
        vsync();
    blit(picture, screen, 0, 0, placement.x, placement.y, picture->w, picture->h);
}

BITMAP* DoubleBuffer::getBuffer() { return buffer; }

const char* DoubleBuffer::getName() { return "Double Buferring"; }
