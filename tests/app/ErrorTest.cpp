#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include "files/Error.h"

TEST(Error, OnlyCodeZeroIsSuccess)
{
    EXPECT_FALSE(Error(NoError).failed());
    for (int code = AllegroInit; code <= AlreadyRunning; code++)
        EXPECT_TRUE(Error(code).failed()) << code;
}

// What the player reads when the game cannot start: one line of its own for
// each failure. The texts at both ends and in the middle are fixed, so a
// message added or lost in the table, which would give every later code its
// neighbour's text, shows; a stray code reads as the unknown error.
TEST(Error, EachFailureHasALineOfItsOwn)
{
    std::set<std::string> seen;
    for (int code = AllegroInit; code <= AlreadyRunning; code++) {
        ASSERT_NE(nullptr, Error(code).message()) << code;
        const std::string text = Error(code).message();
        EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << code;
        EXPECT_EQ('\n', text.back()) << code;
        EXPECT_TRUE(seen.insert(text).second) << code << " says what another code says";
    }
    EXPECT_STREQ("Error: initializing Allegro!\n", Error(AllegroInit).message());
    EXPECT_STREQ("Error: initializing graphics mode!\n", Error(GfxMode).message());
    EXPECT_STREQ("Error: couldn't load all data!\n", Error(DataLoad).message());
    EXPECT_STREQ("An unknown error occured!\n", Error(UnknownError).message());
    EXPECT_STREQ("Wispen is already running.\n", Error(AlreadyRunning).message());
    for (int stray : {-1, AlreadyRunning + 1, 1000})
        EXPECT_STREQ(Error(UnknownError).message(), Error(stray).message()) << stray;
}
