#include <filesystem>
#include <vector>

#include "PlayFixture.h"
#include "SoundLog.h"
#include "ScratchWorkingDir.h"
#include "frame/Resources.h"
#include "world/AIInput.h"

namespace {

// The high-score file lives in the working directory; each test gets its own.
class PlayScreen : public PlayFixture {
protected:
    bool scoreFileExists() const { return std::filesystem::exists(dir.path() + "/wispen.hsc"); }

    int stopsOf(const SoundLog& sounds, const SAMPLE* sample) const
    {
        int count = 0;
        for (const SoundEvent& event : sounds.events())
            if (event.stop && event.sample == sample)
                count++;
        return count;
    }

    ScratchWorkingDir dir;
};

} // namespace

TEST_F(PlayScreen, StartThrowsAwayTheOldGame)
{
    settings.nStars = 123;
    game.start();
    EXPECT_EQ(game.stars.size(), 123u);
    for (int t = 0; t < 700; t++)
        game.logic();
    game.score.add(5000);
    ASSERT_FALSE(game.powerups.empty());

    settings.nStars = 0;
    EXPECT_FALSE(game.start().failed());

    EXPECT_TRUE(game.stars.empty());
    EXPECT_EQ(game.souls.size(), 5u);
    EXPECT_TRUE(game.powerups.empty());
    EXPECT_TRUE(game.bubbles.empty());
    EXPECT_FLOAT_EQ(game.player->pos.x, 512);
    EXPECT_FLOAT_EQ(game.player->pos.y, 384);
    EXPECT_EQ(game.player->state, Appearing);
    EXPECT_EQ(game.score.total(), 0);
    EXPECT_EQ(game.score.value(), 0);
    for (const auto& soul : game.souls)
        EXPECT_EQ(soul->aiInput()->target, game.player.get());
    EXPECT_EQ(game.camera->target, game.player.get());
}

TEST_F(PlayScreen, StarCountIsBoundedByTheGame)
{
    settings.nStars = -5;
    game.start();
    EXPECT_TRUE(game.stars.empty());
    settings.nStars = 2000000000;
    game.start();
    EXPECT_EQ(game.stars.size(), static_cast<size_t>(MAX_STARS));
}

TEST_F(PlayScreen, FirstSoulsKeepClearOfTheUserAndOfEachOther)
{
    for (int seed = 1; seed <= 40; seed++) {
        std::srand(seed);
        game.start();
        ASSERT_EQ(game.souls.size(), 5u);
        for (size_t i = 0; i < game.souls.size(); i++) {
            const Soul& soul = *game.souls[i];
            float dx = soul.pos.x - 512;
            float dy = soul.pos.y - 384;
            EXPECT_GT(dx * dx + dy * dy, 64.0f * 64.0f) << "seed " << seed;
            for (size_t j = 0; j < i; j++) {
                float ox = soul.pos.x - game.souls[j]->pos.x;
                float oy = soul.pos.y - game.souls[j]->pos.y;
                EXPECT_GT(ox * ox + oy * oy, 32.0f * 32.0f) << "seed " << seed;
            }
        }
    }
}

TEST_F(PlayScreen, AmbientLoopsStartLeftOnTheFirstTickAndRightOnTheSixth)
{
    game.start();
    SoundLog sounds;

    tick();
    ASSERT_EQ(sounds.playsOf(ambientSamplesA[0]), 1);
    ASSERT_EQ(sounds.playsOf(ambientSamplesA[1]), 1);
    for (const SoundEvent& event : sounds.events()) {
        if (event.sample == ambientSamplesA[0] || event.sample == ambientSamplesA[1]) {
            EXPECT_EQ(event.volume, 93);
            EXPECT_EQ(event.pan, 0);
            EXPECT_EQ(event.loop, 1);
            EXPECT_EQ(event.frequency, event.sample == ambientSamplesA[0] ? 600 : 500);
        }
    }

    tick(4);
    EXPECT_EQ(sounds.playsOf(ambientSamplesB[0]), 0) << "not before the sixth tick";
    tick();
    ASSERT_EQ(sounds.playsOf(ambientSamplesB[0]), 1);
    ASSERT_EQ(sounds.playsOf(ambientSamplesB[1]), 1);
    for (const SoundEvent& event : sounds.events()) {
        if (event.sample == ambientSamplesB[0] || event.sample == ambientSamplesB[1]) {
            EXPECT_EQ(event.pan, 255);
            EXPECT_EQ(event.loop, 1);
            EXPECT_EQ(event.frequency, event.sample == ambientSamplesB[0] ? 600 : 500);
        }
    }

    tick(100);
    EXPECT_EQ(sounds.playsOf(ambientSamplesA[0]), 1);
    EXPECT_EQ(sounds.playsOf(ambientSamplesB[0]), 1);
}

TEST_F(PlayScreen, WailsSoundOnTheFirstTickThenEveryTwentyToTwentyNine)
{
    game.start();
    SoundLog sounds;
    std::vector<int> wailTicks;
    for (int t = 1; t <= 2000; t++) {
        size_t before = sounds.events().size();
        tick();
        for (size_t i = before; i < sounds.events().size(); i++)
            for (SAMPLE* scr : scrSamples)
                if (sounds.events()[i].sample == scr)
                    wailTicks.push_back(t);
    }
    ASSERT_GT(wailTicks.size(), 60u);
    EXPECT_EQ(wailTicks[0], 1);
    int shortest = 100, longest = 0;
    for (size_t i = 1; i < wailTicks.size(); i++) {
        shortest = std::min(shortest, wailTicks[i] - wailTicks[i - 1]);
        longest = std::max(longest, wailTicks[i] - wailTicks[i - 1]);
    }
    EXPECT_EQ(shortest, 20);
    EXPECT_EQ(longest, 29);
}

TEST_F(PlayScreen, EscapeAsksToAbandonAndTheGameResumesAsItStood)
{
    game.start();
    SoundLog sounds;
    tick(10);
    key[KEY_ESC] = 1;
    ASSERT_TRUE(game.logic());
    EXPECT_EQ(game.getResult(), ConfirmAbandon);
    EXPECT_FALSE(scoreFileExists()) << "abandoning never consults the table";
    for (SAMPLE* sample : {ambientSamplesA[0], ambientSamplesA[1], ambientSamplesB[0], ambientSamplesB[1]})
        EXPECT_EQ(stopsOf(sounds, sample), 1);

    // The answer "no": the screen becomes current again with the key still down.
    size_t soulCount = game.souls.size();
    int counter = game.player->counter;
    game.readKeys();
    EXPECT_FALSE(game.logic()) << "a held escape is not a new press";
    key[KEY_ESC] = 0;
    EXPECT_EQ(game.souls.size(), soulCount);
    EXPECT_EQ(game.player->counter, counter + 1) << "the creature keeps growing in";
    EXPECT_EQ(sounds.playsOf(ambientSamplesA[0]), 2) << "the left loops restart";
    EXPECT_EQ(sounds.playsOf(ambientSamplesB[0]), 1) << "the right loops stay silent";
}

TEST_F(PlayScreen, AGrownCreatureKilledFinishesOnceForTheMusicThenPlayGoesOn)
{
    startEmpty();
    game.player->health = 10;
    addPowerup(Powerup::Hurt15, game.player->pos.x, game.player->pos.y);

    ASSERT_TRUE(game.logic());
    EXPECT_EQ(game.player->state, Dying);
    EXPECT_EQ(game.getResult(), GameOverMusic);
    EXPECT_FALSE(scoreFileExists());

    // 59 more ticks of shrinking, then Dead; the screen waits for Enter.
    EXPECT_EQ(tick(80), 80);
    EXPECT_EQ(game.player->state, Dead);
    key[KEY_ENTER] = 1;
    EXPECT_TRUE(game.logic());
    EXPECT_EQ(game.getResult(), MainMenu);
    EXPECT_FALSE(scoreFileExists()) << "the check only reads the table";
}

TEST_F(PlayScreen, EnterHeldWhileTheCreatureVanishesFinishesOnThatTick)
{
    startEmpty();
    game.player->state = Dying;
    game.player->counter = 3;
    key[KEY_ENTER] = 1;
    EXPECT_EQ(tick(10), 3);
    EXPECT_EQ(game.player->state, Dead);
}

TEST_F(PlayScreen, EnterDoesNothingWhileTheCreatureLives)
{
    startEmpty();
    key[KEY_ENTER] = 1;
    EXPECT_EQ(tick(50), 50);
}

TEST_F(PlayScreen, ACreatureKilledWhileAppearingGivesNoMusicChange)
{
    game.start();
    game.souls.clear();
    tick(20);
    ASSERT_EQ(game.player->state, Appearing);
    game.player->health = 2;
    addPowerup(Powerup::Hurt3, game.player->pos.x, game.player->pos.y);

    EXPECT_EQ(tick(200), 200) << "the screen never finishes without a key";
    EXPECT_EQ(game.player->state, Dead);
}

TEST_F(PlayScreen, EscapeWhileDyingAsksToAbandon)
{
    startEmpty();
    game.player->state = Dying;
    game.player->counter = 30;
    key[KEY_ESC] = 1;
    ASSERT_TRUE(game.logic());
    EXPECT_EQ(game.getResult(), ConfirmAbandon);
    EXPECT_FALSE(scoreFileExists());
}

TEST_F(PlayScreen, TheHighScoreCheckUsesTheTotalAgainstTheLastEntry)
{
    startEmpty();
    game.player->state = Dead;

    game.score.add(1000);
    EXPECT_EQ(game.getResult(), MainMenu) << "equal to the last entry";
    game.score.add(1);
    EXPECT_EQ(game.score.value(), 0) << "nothing counted up yet";
    EXPECT_EQ(game.getResult(), EnterName);

    key[KEY_ESC] = 1;
    ASSERT_TRUE(game.logic()) << "escape after the end skips the question";
    EXPECT_EQ(game.getResult(), EnterName);
}

TEST_F(PlayScreen, FinishedObjectsLeaveTheWalksOnTime)
{
    startEmpty();
    game.player->pos = {100, 100};
    Soul& vanishing = addSoul(800, 600);
    vanishing.state = Dying;
    vanishing.counter = 1;
    addSoul(900, 600);
    Powerup& expiring = addPowerup(Powerup::Money1000, 800, 200);
    expiring.state = Appearing;
    expiring.health = 0;
    expiring.counter = 1;
    game.bubbles.push_back(std::make_unique<ScoreBubble>(300.0f, 300.0f, "$50"));
    const ScoreBubble* bubble = game.bubbles.back().get();

    tick();
    ASSERT_EQ(game.souls.size(), 1u);
    EXPECT_FLOAT_EQ(game.souls[0]->pos.x, 900) << "later souls keep their order";
    EXPECT_TRUE(game.powerups.empty());

    tick(178);
    ASSERT_EQ(game.bubbles.size(), 1u);
    EXPECT_EQ(game.bubbles[0].get(), bubble);
    tick();
    EXPECT_TRUE(game.bubbles.empty()) << "gone after its 180th update";
}
