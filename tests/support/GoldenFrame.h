#pragma once

#include <gtest/gtest.h>
#include <string>

struct BITMAP;

// A drawn picture held against tests/frames/NAME.png, pixel for pixel. On a
// difference the failure names the first pixel that differs and leaves
// NAME.actual.png and NAME.diff.png (the differing pixels in red) beside the
// golden, where git ignores them. With WISPEN_REMAKE_FRAMES=1 in the environment the
// picture is written as the new golden instead, so a deliberate change shows
// as a picture diff in its commit.
testing::AssertionResult matchesGoldenFrame(BITMAP* frame, const std::string& name);
