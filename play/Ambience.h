#pragma once

// The sound under a game: two sets of looping ambient samples, one on each
// side, and the wail that comes back at random intervals. The play screen
// owns one and runs it from its tick; the sets stop whenever play stops.
class Ambience {
public:
    // As a game begins: the wail on the first tick, the right-hand set a few
    // ticks after the left.
    void reset();
    // Each wail draws one random number for the wait until the next.
    void runScrTimer();
    void startSets();
    void stopSets();

    int scrTimer = 0;
    int ambientDelay = 0;  // counts down to the right-hand ambient loops, then -1
    bool ambientOn = false;
};
