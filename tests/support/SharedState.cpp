#include "SharedState.h"

#include <allegro.h>
#include <cstdlib>
#include <cstring>

#include "FakePad.h"
#include "frame/Game.h"
#include "input/Controls.h"
#include "input/Gamepad.h"
#include "input/KeyTaps.h"
#include "settings/PictureSize.h"
#include "settings/Settings.h"

void SharedStateReset::reset()
{
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    // The first take hands on any press a test left noted, the second drops it.
    KeyTaps::take();
    KeyTaps::take();
    unplugPad();
    settings = Settings();
    controls = Controls();
    controls.bind(settings);
    // With no pad, a poll lets go of whatever the pad held and forgets its
    // presses.
    gamepad.poll(false);
    switchedAway = false;
    std::srand(1);
}

Picture::Picture() : bitmap(create_bitmap(PICTURE_W, PICTURE_H)) { clear_to_color(bitmap, makecol(0, 0, 0)); }

Picture::~Picture() { destroy_bitmap(bitmap); }
