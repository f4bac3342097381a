#pragma once

#include <string>

#include "frame/GameScreen.h"
#include "settings/Settings.h"
#include "play/MainGame.h"
#include "play/Replay.h"

// Plays a replay back through a play screen of its own, tick by tick, and
// says at the end whether the game came out as recorded. The player's own
// settings are set aside for the recorded ones while it plays and put back
// when it is left. The application shows one for a replay named on the
// command line and for the high scores between menus.
class ReplayScreen : public GameScreen {
public:
    ReplayScreen();
    ~ReplayScreen() override;

    // Starts replay from its first tick. The caption is drawn over the game;
    // a silent replay plays no sound of its own.
    void show(const Replay& replay, const std::string& caption, bool silent);
    // Puts the player's settings back; showing again needs show.
    void leave();

    // Finishes, asking for result, a while after the end when endHold is 0
    // or more (in ticks); at once, asking for keyResult, when a key goes down.
    bool logic() override;
    int getResult() override;
    void draw(BITMAP* target) override;

    // One tick of the replayed game, without drawing: what a headless check
    // runs until playing is false.
    void step();
    bool playing() const { return state == Playing; }
    bool outOfStep() const { return state == OutOfStep; }
    // Where a replay with digests first parted from its recording: the tick
    // of the first digest that differs, or 0 while none has, and what
    // differs there, a bit for each Replay::Quantity.
    std::uint32_t partedAt() const { return partTick; }
    unsigned partedIn() const { return partQuantities; }

    MainGame game;
    int endHold = -1;
    int keyResult = MainMenu;

private:
    enum State { Idle, Playing, InStep, OutOfStep };

    void compareDigest();
    void finish(bool asRecorded);

    Replay replay;
    std::string caption;
    Settings playerSettings;
    bool settingsSet = false;
    State state = Idle;
    bool keyWasDown = false;
    bool interrupted = false;
    int heldTicks = 0;
    std::uint32_t partTick = 0;
    unsigned partQuantities = 0;
};
