#include "play/ReplayScreen.h"

#include <allegro.h>

#include "input/Controls.h"

namespace {

constexpr int CAPTION_Y = 20;
constexpr int VERDICT_Y = 36;

void shadowedText(BITMAP* target, const char* text, int y, int colour)
{
    textout_centre_ex(target, font, text, target->w / 2 + 1, y + 1, makecol(0, 0, 0), -1);
    textout_centre_ex(target, font, text, target->w / 2, y, colour, -1);
}

} // namespace

ReplayScreen::ReplayScreen() { result = Quit; }

ReplayScreen::~ReplayScreen() { leave(); }

void ReplayScreen::show(const Replay& shown, const std::string& text, bool silent)
{
    leave();
    replay = shown;
    caption = text;
    playerSettings = settings;
    settingsSet = true;
    replay.applySettings();
    if (silent)
        settings.volSound = 0;
    game.beginPlayback(replay);
    state = Playing;
    keyWasDown = controls.anyDeviceKeyHeld();
    interrupted = false;
    heldTicks = 0;
}

void ReplayScreen::leave()
{
    if (state == Playing)
        game.ambience.stopSets();
    if (settingsSet)
        settings = playerSettings;
    settingsSet = false;
    if (state == Playing)
        state = Idle;
}

bool ReplayScreen::logic()
{
    bool keyDown = controls.anyDeviceKeyHeld();
    bool pressed = keyDown && !keyWasDown;
    keyWasDown = keyDown;
    if (pressed) {
        interrupted = true;
        leave();
        return true;
    }
    if (playing()) {
        step();
        return false;
    }
    if (endHold >= 0 && ++heldTicks > endHold) {
        leave();
        return true;
    }
    return false;
}

int ReplayScreen::getResult() { return interrupted ? keyResult : result; }

// The replayed game ends where the player's did: at the tick Enter finished
// it after its "GAME OVER!", or at the recording's last tick, where Escape
// took it to the abandon question. Ending anywhere else, or with another
// score, is a replay out of step.
void ReplayScreen::step()
{
    bool finished = game.logic();
    std::uint32_t ticks = game.recording.tickCount();
    bool gameOver = finished && game.player->state == Dead;
    if (!gameOver && ticks < replay.tickCount())
        return;
    finish(finished && ticks == replay.tickCount() && game.score.total() == replay.finalScore);
}

void ReplayScreen::finish(bool asRecorded)
{
    game.ambience.stopSets();
    state = asRecorded ? InStep : OutOfStep;
}

void ReplayScreen::draw(BITMAP* target)
{
    if (state == Idle) {
        clear_bitmap(target);
        return;
    }
    game.draw(target);
    if (!caption.empty())
        shadowedText(target, caption.c_str(), CAPTION_Y, makecol(255, 255, 160));
    if (state == OutOfStep)
        shadowedText(target, "replay out of step", VERDICT_Y, makecol(255, 64, 64));
    else if (state == InStep)
        shadowedText(target, "end of replay", VERDICT_Y, makecol(160, 255, 160));
}
