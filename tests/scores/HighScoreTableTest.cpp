#include <cstring>
#include <gtest/gtest.h>

#include "HighScoreFiles.h"
#include "scores/HighScoreTable.h"

using hsfile::rows;
using hsfile::scores;
using Scores = std::vector<std::int32_t>;

namespace {

class HighScoreRanking : public testing::Test {
protected:
    hsfile::ScoreDir dir;
};

} // namespace

TEST_F(HighScoreRanking, WithoutAFileNobodyHolds8000To1000AndOnlyMoreThan1000Qualifies)
{
    HighScoreTable table(dir.file().c_str());

    EXPECT_EQ(8, HighScoreTable::CAPACITY);
    ASSERT_EQ(8u, table.getEntries().size());
    for (const auto& entry : table.getEntries()) {
        EXPECT_EQ(0, std::memcmp("nobody  ", entry->name, 9));
    }
    EXPECT_EQ((Scores{8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000}), scores(table));
    EXPECT_FALSE(table.qualifies(1000));
    EXPECT_TRUE(table.qualifies(1001));
}

TEST_F(HighScoreRanking, ATieRanksBelowTheOldEntryAndTheLastDropsOut)
{
    HighScoreTable table(dir.file().c_str());

    table.insert("ANNA", 5000);

    EXPECT_EQ((Scores{8000, 7000, 6000, 5000, 5000, 4000, 3000, 2000}), scores(table));
    auto list = rows(table);
    EXPECT_EQ("nobody  ", list[3].first);
    EXPECT_EQ("ANNA", list[4].first);
}

TEST_F(HighScoreRanking, AScoreAboveEveryEntryGoesFirst)
{
    HighScoreTable table(dir.file().c_str());

    table.insert("TOP", 123456);

    auto list = rows(table);
    EXPECT_EQ("TOP", list[0].first);
    EXPECT_EQ((Scores{123456, 8000, 7000, 6000, 5000, 4000, 3000, 2000}), scores(table));
}

TEST_F(HighScoreRanking, AScoreNotAboveTheLastLeavesTheTableAsItWas)
{
    HighScoreTable table(dir.file().c_str());
    auto before = rows(table);

    table.insert("EQUAL", 1000);
    table.insert("BELOW", -5);

    EXPECT_EQ(before, rows(table));
    EXPECT_EQ(8u, table.getEntries().size());
}

TEST_F(HighScoreRanking, NegativeScoresRankAsSignedNumbers)
{
    hsfile::writeStream(dir.file(), hsfile::stream({{"a", 5}, {"b", 4}, {"c", 3}, {"d", 2},
                                                    {"e", 1}, {"f", 0}, {"g", -1}, {"h", -5}}));
    HighScoreTable table(dir.file().c_str());

    EXPECT_TRUE(table.qualifies(-2));
    EXPECT_FALSE(table.qualifies(-5));
    EXPECT_FALSE(table.qualifies(-6));

    table.insert("NEG", -3);
    EXPECT_EQ((Scores{5, 4, 3, 2, 1, 0, -1, -3}), scores(table));
    EXPECT_EQ("NEG", rows(table)[7].first);
}

