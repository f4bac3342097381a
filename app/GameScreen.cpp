#include "app/GameScreen.h"

#include <allegro.h>

#include "app/Controls.h"

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
    for (int i = 0; i < Controls::COUNT; i++)
        prevKey[i] = controls.held(i) ? 1 : 0;
}

bool GameScreen::keyPressed(int scancode) const
{
    return controls.held(scancode) && prevKey[scancode] == 0;
}
