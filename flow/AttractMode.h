#pragma once

#include "play/ReplayArchive.h"

class ReplayScreen;

// The high scores' replays shown between menus: after a while on the main
// menu with no key held, each place's kept replay plays in turn, best first.
// The screen flow asks it every tick and shows what it puts on the replay
// screen.
class AttractMode {
public:
    // One tick; idle while the main menu is current and no key is held. True
    // on the tick the wait is over: the show starts from the best place.
    bool countIdleTick(bool idle);
    // Puts the next place's replay on screen. A place whose replay is
    // missing, damaged, of another version or not the entry's own is passed
    // over; false after the last.
    bool showNext(ReplayScreen& screen, const ReplayArchive& archive);

private:
    int idleTicks = 0;
    int nextReplayPlace = ReplayArchive::PLACES;
};
