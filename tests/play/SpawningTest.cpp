#include <vector>

#include "PlayFixture.h"
#include "play/Spawner.h"

namespace {

class PlaySpawning : public PlayFixture {
protected:
    // The ticks (counted from 1 after start) on which a soul was spawned. A
    // soul spawned this tick is the only one not yet updated.
    std::vector<int> soulSpawnTicks(int ticks)
    {
        std::vector<int> spawned;
        for (int t = 1; t <= ticks; t++) {
            game.logic();
            for (const auto& soul : game.souls)
                if (soul->state == Appearing && soul->counter == 0)
                    spawned.push_back(t);
        }
        return spawned;
    }

    std::vector<int> powerupSpawnTicks(int ticks)
    {
        std::vector<int> spawned;
        for (int t = 1; t <= ticks; t++) {
            game.logic();
            for (const auto& powerup : game.powerups)
                if (powerup->state == Appearing && powerup->health == 600)
                    spawned.push_back(t);
        }
        return spawned;
    }
};

} // namespace

TEST_F(PlaySpawning, SoulsArriveAtTheDifficultysInterval)
{
    struct Case {
        int difficulty;
        std::vector<int> ticks;
    };
    const Case cases[] = {
        {0, {300, 750, 1200}},
        {1, {300, 600, 900, 1200}},
        {2, {300, 500, 700, 900, 1100, 1300}},
        {-3, {300, 600, 900, 1200}},
        {17, {300, 600, 900, 1200}},
    };
    for (const Case& c : cases) {
        settings.difficulty = c.difficulty;
        game.start();
        EXPECT_EQ(soulSpawnTicks(1300), c.ticks) << "difficulty " << c.difficulty;
    }
}

TEST_F(PlaySpawning, ChangingDifficultyMidGameTakesEffectAtTheNextReload)
{
    game.start();
    for (int t = 0; t < 300; t++)
        game.logic();
    settings.difficulty = 2;
    // Tick 300 reloaded with the normal interval; the hard one from then on.
    EXPECT_EQ(soulSpawnTicks(700), (std::vector<int>{300, 500, 700}));
}

TEST_F(PlaySpawning, PowerupsArriveFromTickThreeHundredEveryHundredTwenty)
{
    game.start();
    EXPECT_EQ(powerupSpawnTicks(800), (std::vector<int>{300, 420, 540, 660, 780}));
}

TEST_F(PlaySpawning, AZeroOrNegativeSpawnTimeSpawnsOncePerTick)
{
    for (int spawnTime : {0, -40, 1}) {
        settings.spawnTime = spawnTime;
        game.start();
        EXPECT_EQ(soulSpawnTicks(5), (std::vector<int>{1, 2, 3, 4, 5})) << spawnTime;
    }
}

TEST_F(PlaySpawning, AHugeSpawnTimeSaturatesInsteadOfOverflowing)
{
    settings.spawnTime = 2000000000;
    settings.difficulty = 0;
    EXPECT_EQ(Spawner::spawnInterval(), 2147483647);
    settings.difficulty = 1;
    EXPECT_EQ(Spawner::spawnInterval(), 2000000000);
    settings.difficulty = 2;
    EXPECT_EQ(Spawner::spawnInterval(), 1333333333);
}

TEST_F(PlaySpawning, PlacementKeepsTwoRadiiFromSoulsAndFourFromTheUser)
{
    startEmpty();
    Soul& existing = addSoul(300, 300);
    existing.state = Dying;  // dying souls block placement like living ones
    Soul candidate;

    candidate.pos = {332, 300};
    EXPECT_FALSE(Spawner::canPlace(candidate, game.souls, *game.player)) << "exactly two radii from a soul";
    candidate.pos = {332.5f, 300};
    EXPECT_TRUE(Spawner::canPlace(candidate, game.souls, *game.player));

    candidate.pos = {576, 384};
    EXPECT_FALSE(Spawner::canPlace(candidate, game.souls, *game.player)) << "exactly four radii from the user";
    candidate.pos = {576.5f, 384};
    EXPECT_TRUE(Spawner::canPlace(candidate, game.souls, *game.player));
}

TEST_F(PlaySpawning, ACrowdedWorldSkipsTheSpawnInsteadOfSearchingForever)
{
    startEmpty();
    for (float y = 0; y <= 768; y += 30)
        for (float x = 0; x <= 1024; x += 30)
            addSoul(x, y);
    size_t crowd = game.souls.size();

    srand(5);
    Spawner::spawnSoul(game.souls, *game.player);
    const int nextDraw = rand();

    EXPECT_EQ(game.souls.size(), crowd);
    // No golden replay grows this crowded, yet every replay that does must stay
    // in step: the skipped spawn draws the new soul's four, then two for each
    // of its thousand tries.
    srand(5);
    for (int draw = 0; draw < 4 + 2 * 1000; draw++)
        rand();
    EXPECT_EQ(rand(), nextDraw);
}

TEST_F(PlaySpawning, RadiiTooLargeForAnyPlaceStartAGameWithoutSouls)
{
    // Four radii from the centre reach past every corner of the world.
    settings.rad = 200;
    settings.spawnTime = 1;
    game.start();
    EXPECT_TRUE(game.souls.empty());
    game.logic();
    EXPECT_TRUE(game.souls.empty());
}

TEST_F(PlaySpawning, DegenerateMovementBoxesNeverDivideByZero)
{
    // With these radii a creature's box is empty on one axis or on both.
    for (int rad : {384, 512, 600}) {
        settings.rad = rad;
        startEmpty();
        Spawner::spawnSoul(game.souls, *game.player);
        EXPECT_TRUE(game.souls.empty()) << rad;
    }
}
