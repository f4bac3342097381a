#include <gtest/gtest.h>

#include "app/Error.h"

TEST(Error, OnlyCodeZeroIsSuccess)
{
    EXPECT_FALSE(Error(NoError).failed());
    for (int code = AllegroInit; code <= AlreadyRunning; code++)
        EXPECT_TRUE(Error(code).failed()) << code;
}

TEST(Error, EveryCodeHasItsFixedText)
{
    const char* expected[] = {
        "No error.\n",
        "Error: initializing Allegro!\n",
        "Error: installing keyboard module!\n",
        "Error: installing mouse module!\n",
        "Error: installing timer module!\n",
        "Error: initializing graphics mode!\n",
        "Error: installing sound module!\n",
        "Error: ran out of memory!!!\n",
        "Error: ran out of video memory!\n",
        "Error: triple buffering unavailable!\n",
        "Error: couldn't load all data!\n",
        "An unknown error occured!\n",
        "Wispen is already running.\n",
    };
    for (int code = NoError; code <= AlreadyRunning; code++)
        EXPECT_STREQ(expected[code], Error(code).message()) << code;
}

TEST(Error, ComparesWithACode)
{
    Error error(GfxMode);
    const int gfx = GfxMode;
    const int none = NoError;
    EXPECT_TRUE(error == gfx);
    EXPECT_FALSE(error != gfx);
    EXPECT_TRUE(error != none);
    EXPECT_FALSE(error == none);
}
