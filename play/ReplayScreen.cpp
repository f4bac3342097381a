#include "play/ReplayScreen.h"

#include <allegro.h>

#include "frame/ShadowedText.h"
#include "input/Controls.h"

namespace {

constexpr int CAPTION_Y = 20;
constexpr int VERDICT_Y = 36;

// A line centred across the top of the replayed game.
void writeLine(BITMAP* target, const char* text, int y, int colour)
{
    shadowedText(target, text, target->w / 2, y, colour, TextAlign::Centre);
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
    partTick = 0;
    partQuantities = 0;
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
// took it to the abandon question. Ending anywhere else, with another score
// or with a world that parted from a recorded digest on the way, is a replay
// out of step.
void ReplayScreen::step()
{
    bool finished = game.logic();
    compareDigest();
    std::uint32_t ticks = game.recording.tickCount();
    bool gameOver = finished && game.player->state == Dead;
    if (!gameOver && ticks < replay.tickCount())
        return;
    finish(finished && ticks == replay.tickCount() && game.score.total() == replay.finalScore &&
           partQuantities == 0);
}

// The first digest that differs is the one kept: what follows it differs as
// a consequence.
void ReplayScreen::compareDigest()
{
    const std::uint32_t ticks = game.recording.tickCount();
    const std::size_t index = ticks / Replay::CHECK_INTERVAL;
    if (partQuantities != 0 || ticks % Replay::CHECK_INTERVAL != 0 || index == 0 || index > replay.digests.size())
        return;
    const Replay::Digest& played = game.recording.digests.back();
    const Replay::Digest& recorded = replay.digests[index - 1];
    for (int quantity = 0; quantity < Replay::QUANTITY_COUNT; quantity++)
        if (played[quantity] != recorded[quantity])
            partQuantities |= 1u << quantity;
    if (partQuantities != 0)
        partTick = ticks;
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
        writeLine(target, caption.c_str(), CAPTION_Y, makecol(255, 255, 160));
    if (state == OutOfStep)
        writeLine(target, "replay out of step", VERDICT_Y, makecol(255, 64, 64));
    else if (state == InStep)
        writeLine(target, "end of replay", VERDICT_Y, makecol(160, 255, 160));
}
