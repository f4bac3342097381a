#pragma once

#include <gtest/gtest.h>

struct BITMAP;

// The globals the game's code reads and every unit test shares: the settings
// record, the controls with their keys and latch, the first pad, the
// library's key array, rand's seed and the switched-away flag. Registered in
// the tests' main, the listener puts them back to a fresh start before and
// after every test, so no test sets them up or cleans up after them by hand
// and none sees what the one before left.
class SharedStateReset : public testing::EmptyTestEventListener {
public:
    static void reset();

private:
    void OnTestStart(const testing::TestInfo&) override { reset(); }
    void OnTestEnd(const testing::TestInfo&) override { reset(); }
};

// A memory bitmap of the picture's size, black, for a test to draw a screen on.
class Picture {
public:
    Picture();
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    operator BITMAP*() const { return bitmap; }
    BITMAP* operator->() const { return bitmap; }

private:
    BITMAP* bitmap;
};
