#include "desktop/Wakeup.h"

Wakeup mainLoopWakeup;

Wakeup::Wakeup() { sem_init(&wakes, 0, 0); }

Wakeup::~Wakeup() { sem_destroy(&wakes); }

// One of the few calls a signal handler may make.
void Wakeup::wake() { sem_post(&wakes); }

void Wakeup::sleepWhile(bool (*idle)())
{
    while (sem_trywait(&wakes) == 0) {
    }
    // A wake between the look and the sleep is counted, so the sleep ends at
    // once; a signal that interrupts it only means another look.
    while (idle())
        sem_wait(&wakes);
}
