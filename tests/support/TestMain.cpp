#include <allegro.h>
#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>

#include "SharedState.h"

// Every unit test runs against the real library started without a display:
// memory bitmaps, blenders and text work; the timer and graphics modes do not.
// Each starts from the same shared state (SharedStateReset).
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 2;
    set_color_depth(32);
    testing::UnitTest::GetInstance()->listeners().Append(new SharedStateReset);
    return RUN_ALL_TESTS();
}
