#include "desktop/FpsCounter.h"

void FpsCounter::reset(int n)
{
    samples.reset();
    size = n;
    if (n > 0) {
        samples = std::make_unique<int[]>(n);
        for (int i = 0; i < n; i++)
            samples[i] = 1;
    }
    index = 0;
    frames = 0;
    total = n;
}

void FpsCounter::tick()
{
    // An empty meter has no slot to move to; it only forgets the frames.
    if (size <= 0) {
        frames = 0;
        return;
    }
    index = (index + 1) % size;
    total = total - samples[index] + frames;
    samples[index] = frames;
    frames = 0;
}

void FpsCounter::countFrame() { frames++; }

int FpsCounter::fps() const { return total; }
