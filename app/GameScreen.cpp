#include "app/GameScreen.h"

#include <allegro.h>

GameScreen::GameScreen()
{
    readKeys();
    result = Quit;
}

GameScreen::~GameScreen() = default;

int GameScreen::getResult() { return Quit; }

bool GameScreen::logic()
{
    // The snapshot is left alone on the finishing tick: a screen that stays
    // current without readKeys finishes again while Escape is held.
    if (keyPressed(KEY_ESC))
        return true;
    readKeys();
    return false;
}

void GameScreen::draw(BITMAP* target) { clear_bitmap(target); }

Error GameScreen::start() { return Error(NoError); }

void GameScreen::readKeys()
{
    // The library's key array has KEY_MAX entries; the snapshot keeps room for
    // 256 so every scan code a byte can hold reads as up.
    for (int i = 0; i < 256; i++)
        prevKey[i] = i < KEY_MAX ? static_cast<signed char>(key[i]) : 0;
}

bool GameScreen::keyPressed(int scancode) const
{
    return key[scancode] != 0 && prevKey[scancode] == 0;
}
