#pragma once

#include <algorithm>
#include <allegro.h>
#include <gtest/gtest.h>
#include <memory>

#include "SharedState.h"
#include "settings/Settings.h"
#include "world/Camera.h"
#include "world/Input.h"
#include "world/Player.h"

// Every world test leaves no scratch bitmap behind for the next test to
// inherit.
class WorldTest : public testing::Test {
protected:
    void TearDown() override { destroySpriteScratch(); }
};

// A controller whose answers the test sets.
class ScriptedInput : public Input {
public:
    bool left() override { return goLeft; }
    bool right() override { return goRight; }
    bool up() override { return goUp; }
    bool down() override { return goDown; }

    bool goLeft = false;
    bool goRight = false;
    bool goUp = false;
    bool goDown = false;
};

inline ScriptedInput& script(Player& player)
{
    auto input = std::make_unique<ScriptedInput>();
    ScriptedInput& handle = *input;
    player.input = std::move(input);
    return handle;
}

inline BITMAP* solidBitmap(int size, int r, int g, int b)
{
    BITMAP* bitmap = create_bitmap(size, size);
    clear_to_color(bitmap, makecol(r, g, b));
    return bitmap;
}

inline BITMAP* maskBitmap(int size)
{
    BITMAP* bitmap = create_bitmap(size, size);
    clear_to_color(bitmap, makecol(255, 0, 255));
    return bitmap;
}

// Puts bitmap into a resource-table slot; the table frees it with the rest.
inline void replaceBitmap(BITMAP*& slot, BITMAP* bitmap)
{
    if (slot)
        destroy_bitmap(slot);
    slot = bitmap;
}

struct PixelBox {
    int count = 0;
    int left = 1 << 30;
    int top = 1 << 30;
    int right = -1;
    int bottom = -1;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// Where the bitmap differs from background.
inline PixelBox changedPixels(BITMAP* bitmap, int background)
{
    PixelBox box;
    for (int y = 0; y < bitmap->h; y++)
        for (int x = 0; x < bitmap->w; x++)
            if (getpixel(bitmap, x, y) != background) {
                box.count++;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

// A memory screen with the camera placed so that world and screen
// coordinates coincide.
struct View {
    View() { camera.pos = Vector(160.0f, 120.0f); }

    Picture target;
    Camera camera;
};
