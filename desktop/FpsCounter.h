#pragma once

#include <memory>

// The frame-rate meter behind the "%d FPS" overlay, owned by Game. A ring
// holds one slot per logic tick with the frames drawn during that tick; with
// one slot per tick of a second, the ring's sum is the frames of the last second.
class FpsCounter {
public:
    FpsCounter() = default;
    FpsCounter(const FpsCounter&) = delete;
    FpsCounter& operator=(const FpsCounter&) = delete;

    // Every slot starts at 1, so a fresh meter reads n until a second of real
    // counts has replaced them. n below 1 leaves an empty meter that reads n.
    void reset(int n);
    void tick();
    void countFrame();
    int fps() const;

private:
    std::unique_ptr<int[]> samples;
    int size = 0;
    int index = 0;
    int frames = 0;
    int total = 0;
};
