#include "world/Score.h"

namespace {

struct Slice {
    int above;  // used while more than this is pending
    int size;
};

constexpr Slice SLICES[] = {{2400, 256}, {1200, 128}, {600, 64}};
constexpr int SMALLEST_SLICE = 16;

int sliceFor(int pending)
{
    for (const Slice& slice : SLICES)
        if (pending > slice.above)
            return slice.size;
    return SMALLEST_SLICE;
}

} // namespace

Score::Score() : shown(0), step(0), pending(0) {}

Score::~Score() = default;

void Score::add(int points) { pending += points; }

int Score::total() const { return shown + pending; }

int Score::value() const { return shown; }

void Score::tick()
{
    step = sliceFor(pending);
    if (pending >= step) {
        shown += step;
        pending -= step;
    } else if (pending > 0) {
        shown += pending;
        pending = 0;
    }
}

void Score::clear()
{
    shown = 0;
    step = 0;
    pending = 0;
}
