#include <gtest/gtest.h>

#include "settings/Settings.h"
#include "world/Difficulty.h"
#include "world/Player.h"
#include "world/Soul.h"

namespace {

using DifficultyCeiling = testing::Test;

} // namespace

// The starting health is a float share and the ceiling an integer ratio, so
// odd settings start a creature above its ceiling, and its first heal brings
// it down to that ceiling.
TEST_F(DifficultyCeiling, OddSettingsStartACreatureAboveItsCeiling)
{
    settings.difficulty = 0;
    settings.hp2 = 11;
    EXPECT_EQ(Soul::startingHealth(), 5.5f);
    EXPECT_EQ(Difficulty::soulCeiling(), 5.0f);

    settings.difficulty = 2;
    settings.hp1 = 46;
    EXPECT_EQ(Player::startingHealth(), 2.0f * 46.0f * 0.33333334f);
    EXPECT_GT(Player::startingHealth(), 30.6f);
    EXPECT_EQ(Difficulty::playerCeiling(), 30.0f);
}
