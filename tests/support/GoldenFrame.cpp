#include "GoldenFrame.h"

#include <allegro.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <png.h>
#include <vector>

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

// A picture as PNG holds it: rows of red, green and blue bytes. The frames are
// read and written through libpng's own simple interface in this form, not by
// the library's PNG addon, which swaps red and blue when it loads a picture on
// a big-endian machine.
struct Rgb {
    int w = 0;
    int h = 0;
    std::vector<png_byte> bytes;

    const png_byte* at(int x, int y) const { return &bytes[(static_cast<size_t>(y) * w + x) * 3]; }
};

Rgb rgbOf(BITMAP* picture)
{
    Rgb rgb{picture->w, picture->h, std::vector<png_byte>(static_cast<size_t>(picture->w) * picture->h * 3)};
    png_byte* out = rgb.bytes.data();
    for (int y = 0; y < picture->h; y++) {
        for (int x = 0; x < picture->w; x++) {
            const int pixel = getpixel(picture, x, y);
            *out++ = static_cast<png_byte>(getr(pixel));
            *out++ = static_cast<png_byte>(getg(pixel));
            *out++ = static_cast<png_byte>(getb(pixel));
        }
    }
    return rgb;
}

bool savePicture(const std::string& path, BITMAP* picture)
{
    const Rgb rgb = rgbOf(picture);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(rgb.w);
    image.height = static_cast<png_uint_32>(rgb.h);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.bytes.data(), 0, nullptr) != 0;
}

// False, with the picture left empty, when the file is missing or no PNG.
bool loadPicture(const std::string& path, Rgb& rgb)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    rgb.w = static_cast<int>(image.width);
    rgb.h = static_cast<int>(image.height);
    rgb.bytes.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        rgb = Rgb{};
        return false;
    }
    return true;
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

bool samePixel(const png_byte* drawn, const png_byte* golden)
{
    static const int slack = channelSlack();
    for (int channel = 0; channel < 3; channel++) {
        if (std::abs(drawn[channel] - golden[channel]) > slack)
            return false;
    }
    return true;
}

std::string describe(const png_byte* pixel)
{
    return "(" + std::to_string(pixel[0]) + ", " + std::to_string(pixel[1]) + ", " + std::to_string(pixel[2]) + ")";
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
    Rgb expected;
    if (!loadPicture(golden, expected))
        return testing::AssertionFailure() << "no golden frame " << golden
                                           << " (WISPEN_REMAKE_FRAMES=1 makes it)";
    const std::string actualPath = FRAMES + name + ".actual.png";
    if (expected.w != frame->w || expected.h != frame->h) {
        savePicture(actualPath, frame);
        return testing::AssertionFailure() << name << " is " << frame->w << "x" << frame->h << ", the golden "
                                           << expected.w << "x" << expected.h << "; drawn: " << actualPath;
    }
    const Rgb drawn = rgbOf(frame);
    OwnedBitmap diff(create_bitmap(frame->w, frame->h));
    clear_to_color(diff.get(), makecol(0, 0, 0));
    int firstX = -1;
    int firstY = -1;
    int differing = 0;
    for (int y = 0; y < frame->h; y++) {
        for (int x = 0; x < frame->w; x++) {
            if (samePixel(drawn.at(x, y), expected.at(x, y)))
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
                                       << ", " << firstY << "): drawn " << describe(drawn.at(firstX, firstY))
                                       << ", golden " << describe(expected.at(firstX, firstY))
                                       << "; drawn: " << actualPath << ", difference: " << diffPath;
}
