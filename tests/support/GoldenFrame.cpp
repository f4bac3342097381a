#include "GoldenFrame.h"

#include <allegro.h>
#include <cstdlib>
#include <cstring>
#include <loadpng.h>
#include <memory>

namespace {

struct BitmapDeleter {
    void operator()(BITMAP* bitmap) const { destroy_bitmap(bitmap); }
};
using OwnedBitmap = std::unique_ptr<BITMAP, BitmapDeleter>;

const std::string FRAMES = WISPEN_SOURCE_DIR "/tests/frames/";

std::string goldenPath(const std::string& name) { return FRAMES + name + ".png"; }

bool remaking()
{
    const char* remake = std::getenv("WISPEN_REMAKE_FRAMES");
    return remake && std::strcmp(remake, "1") == 0;
}

// Written without the alpha byte, which the library leaves 0 in a 32-bit
// picture: saved as it is, every viewer would show the frame transparent.
bool savePicture(const std::string& path, BITMAP* picture)
{
    OwnedBitmap opaque(create_bitmap_ex(24, picture->w, picture->h));
    blit(picture, opaque.get(), 0, 0, 0, 0, picture->w, picture->h);
    return save_png(path.c_str(), opaque.get(), nullptr) == 0;
}

// Debian builds i386's Allegro for the x87, whose 80-bit arithmetic takes
// hsv_to_rgb's half-way colours the other way: a highlighted menu entry's
// green is 229 there and 230 on every other architecture. Against such a
// library a channel may be one level off; everywhere else every pixel is exact.
int channelSlack()
{
    int r, g, b;
    hsv_to_rgb(45.0f, 0.4f, 1.0f, &r, &g, &b);
    return g == 230 ? 0 : 1;
}

// Pixels compared as colours, whatever the bitmaps' depths.
bool samePixel(BITMAP* a, BITMAP* b, int x, int y)
{
    static const int slack = channelSlack();
    const int p = getpixel(a, x, y);
    const int q = getpixel(b, x, y);
    return std::abs(getr(p) - getr(q)) <= slack && std::abs(getg(p) - getg(q)) <= slack &&
           std::abs(getb(p) - getb(q)) <= slack;
}

std::string describe(BITMAP* frame, int x, int y)
{
    const int p = getpixel(frame, x, y);
    return "(" + std::to_string(getr(p)) + ", " + std::to_string(getg(p)) + ", " + std::to_string(getb(p)) + ")";
}

} // namespace

testing::AssertionResult matchesGoldenFrame(BITMAP* frame, const std::string& name)
{
    const std::string golden = goldenPath(name);
    if (remaking()) {
        if (!savePicture(golden, frame))
            return testing::AssertionFailure() << "could not write " << golden;
        return testing::AssertionSuccess() << "remade " << golden;
    }
    OwnedBitmap expected(load_png(golden.c_str(), nullptr));
    if (!expected)
        return testing::AssertionFailure() << "no golden frame " << golden
                                           << " (WISPEN_REMAKE_FRAMES=1 makes it)";
    const std::string actualPath = FRAMES + name + ".actual.png";
    if (expected->w != frame->w || expected->h != frame->h) {
        savePicture(actualPath, frame);
        return testing::AssertionFailure() << name << " is " << frame->w << "x" << frame->h << ", the golden "
                                           << expected->w << "x" << expected->h << "; drawn: " << actualPath;
    }
    OwnedBitmap diff(create_bitmap(frame->w, frame->h));
    clear_to_color(diff.get(), makecol(0, 0, 0));
    int firstX = -1;
    int firstY = -1;
    int differing = 0;
    for (int y = 0; y < frame->h; y++) {
        for (int x = 0; x < frame->w; x++) {
            if (samePixel(frame, expected.get(), x, y))
                continue;
            putpixel(diff.get(), x, y, makecol(255, 0, 0));
            if (differing++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    }
    if (differing == 0)
        return testing::AssertionSuccess();
    const std::string diffPath = FRAMES + name + ".diff.png";
    savePicture(actualPath, frame);
    savePicture(diffPath, diff.get());
    return testing::AssertionFailure() << name << ": " << differing << " pixels differ, the first at (" << firstX
                                       << ", " << firstY << "): drawn " << describe(frame, firstX, firstY)
                                       << ", golden " << describe(expected.get(), firstX, firstY)
                                       << "; drawn: " << actualPath << ", difference: " << diffPath;
}
