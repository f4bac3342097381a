#include <cmath>
#include <set>

#include "PlayFixture.h"
#include "ScratchWorkingDir.h"
#include "play/Spawner.h"

namespace {

// Plays whole games with random steering and random Escape and Enter presses,
// answering the screen's results the way the application does, and checks
// after every tick what must always hold.
class PlaySoak : public PlayFixture {
protected:
    void pressRandomKeys()
    {
        const int arrows[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
        for (int arrow : arrows)
            if (std::rand() % 20 == 0)
                key[arrow] = !key[arrow];
        key[KEY_ESC] = std::rand() % 400 == 0;
        key[KEY_ENTER] = std::rand() % 50 == 0;
    }

    // What the application would do with the result; returns true when a new
    // game was begun.
    bool answer(int result)
    {
        results.insert(result);
        switch (result) {
        case GameOverMusic:
            return false;  // the screen stays current without a fresh snapshot
        case ConfirmAbandon:
            if (std::rand() % 2 == 0) {
                game.readKeys();  // "no": back to the same game
                return false;
            }
            break;
        default:
            break;
        }
        game.start();
        game.readKeys();
        return true;
    }

    static bool insideItsBox(const Object& object)
    {
        return object.pos.x >= object.boundsMin.x && object.pos.x <= object.boundsMax.x &&
               object.pos.y >= object.boundsMin.y && object.pos.y <= object.boundsMax.y;
    }

    void checkInvariants(int ticksSinceStart)
    {
        ASSERT_TRUE(insideItsBox(*game.player));
        ASSERT_TRUE(std::isfinite(game.player->health));
        ASSERT_TRUE(std::isfinite(game.player->vel.x) && std::isfinite(game.player->vel.y));
        size_t soulLimit = 5 + ticksSinceStart / Spawner::spawnInterval() + 1;
        ASSERT_LE(game.souls.size(), soulLimit);
        for (const auto& soul : game.souls) {
            ASSERT_NE(soul->state, Dead);
            ASSERT_TRUE(insideItsBox(*soul));
            ASSERT_TRUE(std::isfinite(soul->health));
            ASSERT_LE(soul->particles.size(), static_cast<size_t>(std::max(settings.maxParticles, 0)));
        }
        ASSERT_LE(game.powerups.size(), 6u) << "one every 120 ticks, gone after 660";
        for (const auto& powerup : game.powerups)
            ASSERT_NE(powerup->state, Dead);
        ASSERT_LE(game.bubbles.size(), 180 * (soulLimit + 6));
        for (const auto& bubble : game.bubbles) {
            ASSERT_GE(bubble->life, 1);
            ASSERT_LE(bubble->life, 180);
        }
        ASSERT_LE(game.score.value(), game.score.total());
        ASSERT_GE(game.score.value(), 0);
    }

    ScratchWorkingDir dir;
    Picture frame;
    std::set<int> results;
};

} // namespace

TEST_F(PlaySoak, RandomPlayAtEveryDifficultyAndTrailLengthKeepsTheGameSound)
{
    // A frail creature, so that games end and every result comes up.
    settings.hp1 = 12;
    int seed = 1;
    for (int difficulty : {0, 1, 2, 4}) {
        for (int particles : {0, 40, 120}) {
            SCOPED_TRACE(testing::Message() << "difficulty " << difficulty << ", particles " << particles);
            settings.difficulty = difficulty;
            settings.maxParticles = particles;
            std::srand(seed++);
            game.start();
            int sinceStart = 0;
            for (int t = 0; t < 3000; t++) {
                pressRandomKeys();
                bool finished = game.logic();
                sinceStart++;
                checkInvariants(sinceStart);
                if (HasFatalFailure())
                    return;
                if (finished && answer(game.getResult()))
                    sinceStart = 0;
                if (t % 5 == 0)
                    game.draw(frame);
            }
        }
    }
    EXPECT_TRUE(results.count(GameOverMusic));
    EXPECT_TRUE(results.count(ConfirmAbandon));
    EXPECT_TRUE(results.count(MainMenu) || results.count(EnterName));
}
