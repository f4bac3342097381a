#pragma once

#include <semaphore.h>

// What the main loop sleeps on between ticks. The timer, the close button
// and the close signals each wake it, so it sleeps until one of them has
// something for it instead of looking every millisecond.
class Wakeup {
public:
    Wakeup();
    ~Wakeup();
    Wakeup(const Wakeup&) = delete;
    Wakeup& operator=(const Wakeup&) = delete;

    // Safe on the library's threads and in a signal handler.
    void wake();
    // Sleeps for as long as idle answers true, looking again at each wake.
    // Wakes from before the call are dropped first: they came while the loop
    // was busy, and what they announced it has seen already.
    void sleepWhile(bool (*idle)());

private:
    sem_t wakes;
};

extern Wakeup mainLoopWakeup;
