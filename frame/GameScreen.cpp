#include "frame/GameScreen.h"

#include <allegro.h>

#include "input/Controls.h"
#include "input/KeyTaps.h"

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
    if (actionPressed(Action::Back))
        return true;
    readKeys();
    return false;
}

void GameScreen::draw(BITMAP* target) { clear_bitmap(target); }

Error GameScreen::start() { return Error(NoError); }

void GameScreen::readKeys()
{
    for (int i = 0; i < KEY_COUNT; i++)
        prevKey[i] = KeyTaps::down(i) ? 1 : 0;
    for (int a = 0; a < ACTION_COUNT; a++)
        prevAction[a] = controls.held(static_cast<Action>(a)) ? 1 : 0;
}

bool GameScreen::actionPressed(Action action) const
{
    return controls.held(action) && prevAction[bitOf(action)] == 0;
}

bool GameScreen::keyPressed(int scancode) const
{
    return KeyTaps::down(scancode) && prevKey[scancode] == 0;
}
