#include <string>

#include "PlayFixture.h"
#include "SoundLog.h"
#include "frame/Resources.h"
#include "play/Contact.h"

namespace {

class PlayCollision : public PlayFixture {};

std::string textOf(const ScoreBubble& bubble) { return bubble.text.get(); }

} // namespace

TEST_F(PlayCollision, RestingCreatureHitAtSpeedTwoTakesTheBlowWithoutPoints)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.health = 45;
    Soul& soul = addSoul(530, 300, -2, 0);
    soul.health = 9;
    SoundLog sounds;

    game.collide(player, soul);

    EXPECT_FLOAT_EQ(player.health, 43);
    EXPECT_FLOAT_EQ(soul.health, 9.5f);
    EXPECT_EQ(game.score.total(), 0);
    EXPECT_TRUE(game.bubbles.empty());
    // The velocities along the line of centres are exchanged.
    EXPECT_FLOAT_EQ(player.vel.x, -2);
    EXPECT_FLOAT_EQ(soul.vel.x, 0);
    ASSERT_EQ(sounds.playsOf(thumpSample), 1);
    int pitch = sounds.events()[0].frequency;
    EXPECT_GE(pitch, 950);
    EXPECT_LE(pitch, 1049);
}

TEST_F(PlayCollision, SoulHealingStopsAtItsCeilingOnEveryDifficulty)
{
    const float ceilings[] = {5, 10, 15, 10};
    const int difficulties[] = {0, 1, 2, 7};
    for (int i = 0; i < 4; i++) {
        settings.difficulty = difficulties[i];
        startEmpty();
        Player& player = *game.player;
        player.pos = {500, 300};
        Soul& soul = addSoul(530, 300, -2, 0);
        soul.health = ceilings[i] - 0.25f;
        game.collide(player, soul);
        EXPECT_FLOAT_EQ(soul.health, ceilings[i]) << "difficulty " << difficulties[i];
    }
}

TEST_F(PlayCollision, HittingARestingSoulAtSpeedThreeEarnsFourHundredFifty)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.vel = {3, 0};
    player.health = 20;
    Soul& soul = addSoul(530, 300);
    soul.health = 10;

    game.collide(player, soul);

    EXPECT_FLOAT_EQ(soul.health, 7);
    EXPECT_FLOAT_EQ(player.health, 20.75f);
    EXPECT_EQ(game.score.total(), 450);
    ASSERT_EQ(game.bubbles.size(), 1u);
    EXPECT_EQ(textOf(*game.bubbles[0]), "$450");
    EXPECT_FLOAT_EQ(game.bubbles[0]->pos.x, 530);
    EXPECT_FLOAT_EQ(game.bubbles[0]->pos.y, 300);
    EXPECT_NEAR(player.vel.x, 0, 1e-5);
    EXPECT_NEAR(soul.vel.x, 3, 1e-5);
}

// The rule only decides: the creatures, the score and the random numbers are
// the play screen's to change, which it does as the rule said.
TEST_F(PlayCollision, AKillingHitIsDecidedFirstThenShowsOnlyTheBonusButEarnsBoth)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.vel = {3, 0};
    Soul& soul = addSoul(530, 300);
    soul.health = 2;
    std::srand(99);
    int next = std::rand();
    std::srand(99);

    std::optional<Contact> contact = Contact::between(player, soul);

    ASSERT_TRUE(contact);
    EXPECT_TRUE(contact->firstFaster);
    EXPECT_FLOAT_EQ(contact->impulse, 3);
    EXPECT_TRUE(contact->kills);
    EXPECT_EQ(contact->points, 450);
    EXPECT_FLOAT_EQ(soul.health, 2);
    EXPECT_FLOAT_EQ(player.vel.x, 3);
    EXPECT_EQ(std::rand(), next) << "the thump's pitch is the screen's draw";
    EXPECT_FALSE(Contact::between(soul, soul)) << "a creature never touches itself";

    game.collide(player, soul);

    EXPECT_EQ(soul.state, Dying);
    EXPECT_EQ(game.score.total(), 2500 + 450);
    ASSERT_EQ(game.bubbles.size(), 1u);
    EXPECT_EQ(textOf(*game.bubbles[0]), "$2500");
}

TEST_F(PlayCollision, SlowHitEarnsNothingButStillHurtsAndHeals)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.vel = {0.5f, 0};
    player.health = 30;
    Soul& soul = addSoul(530, 300);
    soul.health = 10;

    game.collide(player, soul);

    EXPECT_FLOAT_EQ(soul.health, 9.5f);
    EXPECT_FLOAT_EQ(player.health, 30.125f);
    EXPECT_EQ(game.score.total(), 0);
    EXPECT_TRUE(game.bubbles.empty());
}

TEST_F(PlayCollision, EqualSpeedsHurtTheFirstOfThePair)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.vel = {1, 0};
    player.health = 30;
    Soul& soul = addSoul(530, 300, -1, 0);
    soul.health = 8;

    game.collide(player, soul);

    EXPECT_FLOAT_EQ(player.health, 28);
    EXPECT_FLOAT_EQ(soul.health, 8.5f);
    EXPECT_EQ(game.score.total(), 0);
}

TEST_F(PlayCollision, ContactReachesExactlyTwoRadii)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.vel = {1, 0};
    Soul& touching = addSoul(532, 300);
    game.collide(player, touching);
    EXPECT_FLOAT_EQ(touching.vel.x, 1) << "exactly 2 rad apart is a contact";

    player.vel = {1, 0};
    Soul& apart = addSoul(532.01f, 300);
    game.collide(player, apart);
    EXPECT_FLOAT_EQ(apart.vel.x, 0) << "2 rad + 0.01 is not";
    EXPECT_FLOAT_EQ(player.vel.x, 1);
}

TEST_F(PlayCollision, SeparatingOrCoincidentCreaturesAreLeftAlone)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.vel = {-1, 0};
    Soul& behind = addSoul(520, 300);
    Soul& same = addSoul(500, 300, 2, 2);
    SoundLog sounds;

    game.collide(player, behind);
    game.collide(player, same);

    EXPECT_FLOAT_EQ(player.vel.x, -1);
    EXPECT_FLOAT_EQ(same.vel.x, 2);
    EXPECT_EQ(sounds.events().size(), 0u);
}

TEST_F(PlayCollision, SoulsFightEachOtherInEveryPhase)
{
    startEmpty();
    game.player->state = Dead;
    Soul& fast = addSoul(200, 200, 2, 0);
    Soul& slow = addSoul(220, 200);
    fast.health = 10;
    slow.health = 1;
    SoundLog sounds;

    game.handleCollisions();

    EXPECT_EQ(slow.state, Dying);
    EXPECT_FLOAT_EQ(fast.health, 10);
    EXPECT_EQ(game.score.total(), 0) << "souls earn the user nothing";
    EXPECT_EQ(sounds.playsOf(thumpSample), 0);
    EXPECT_EQ(sounds.playsOf(dieSample), 0);
}

TEST_F(PlayCollision, DyingSoulsNoLongerTouchTheUser)
{
    startEmpty();
    Player& player = *game.player;
    player.pos = {500, 300};
    player.vel = {3, 0};
    Soul& soul = addSoul(530, 300);
    soul.state = Dying;
    soul.health = 10;

    game.handleCollisions();

    EXPECT_FLOAT_EQ(soul.health, 10);
    EXPECT_FLOAT_EQ(player.vel.x, 3);
}

TEST_F(PlayCollision, KillingTheUserPlaysTheDieSampleEveryTime)
{
    startEmpty();
    Player& player = *game.player;
    Soul stranger;
    SoundLog sounds;

    game.kill(player);
    game.kill(player);
    game.kill(stranger);

    EXPECT_EQ(player.state, Dying);
    EXPECT_EQ(player.counter, 60) << "kill leaves the size alone";
    EXPECT_EQ(sounds.playsOf(dieSample), 2);
    EXPECT_NE(stranger.state, Dying) << "a creature not in the game is not killed";
}

TEST_F(PlayCollision, PowerupWithinReachIsPickedUpOnlyInsideTheRadius)
{
    startEmpty();
    game.player->pos = {512, 384};
    Powerup& edge = addPowerup(Powerup::Money1000, 522, 404);      // squared distance exactly 500
    Powerup& inside = addPowerup(Powerup::Money5000, 522, 403.9f); // just inside
    SoundLog sounds;

    game.handleCollisions();

    EXPECT_EQ(edge.state, Alive);
    EXPECT_EQ(inside.state, Dying);
    EXPECT_EQ(game.score.total(), 5000);
    ASSERT_EQ(game.bubbles.size(), 1u);
    EXPECT_EQ(textOf(*game.bubbles[0]), "$5000");
    EXPECT_EQ(sounds.playsOf(collectSample), 1);
}

TEST_F(PlayCollision, OnlyGrownPowerupsCanBeTaken)
{
    startEmpty();
    game.player->pos = {512, 384};
    Powerup& growing = addPowerup(Powerup::Money15000, 512, 384);
    growing.state = Appearing;

    game.handleCollisions();

    EXPECT_EQ(growing.state, Appearing);
    EXPECT_EQ(game.score.total(), 0);
}

TEST_F(PlayCollision, EveryPowerupKindHasItsEffectAndText)
{
    struct Case {
        Powerup::Kind kind;
        const char* text;
        float health;
        int points;
    };
    const Case cases[] = {
        {Powerup::Hurt15, "-15HP", 5, 0},      {Powerup::Money5000, "$5000", 20, 5000},
        {Powerup::Money15000, "$15000", 20, 15000}, {Powerup::Money1000, "$1000", 20, 1000},
        {Powerup::Heal3, "+3HP", 23, 0},       {Powerup::Hurt3, "-3HP", 17, 0},
        {Powerup::Heal15, "+15HP", 35, 0},
    };
    for (const Case& c : cases) {
        startEmpty();
        game.player->health = 20;
        addPowerup(c.kind, game.player->pos.x, game.player->pos.y);
        game.handleCollisions();
        EXPECT_FLOAT_EQ(game.player->health, c.health) << c.text;
        EXPECT_EQ(game.score.total(), c.points) << c.text;
        ASSERT_EQ(game.bubbles.size(), 1u) << c.text;
        EXPECT_EQ(textOf(*game.bubbles[0]), c.text);
    }
}

TEST_F(PlayCollision, HealingPowerupStopsAtTheDifficultysCeiling)
{
    struct Case {
        int difficulty;
        float before;
        float after;
    };
    const Case cases[] = {{1, 40, 45}, {0, 40, 55}, {2, 20, 30}, {9, 40, 45}, {1, 50, 45}};
    for (const Case& c : cases) {
        settings.difficulty = c.difficulty;
        startEmpty();
        game.player->health = c.before;
        addPowerup(Powerup::Heal15, game.player->pos.x, game.player->pos.y);
        game.handleCollisions();
        EXPECT_FLOAT_EQ(game.player->health, c.after) << "difficulty " << c.difficulty;
    }
}

TEST_F(PlayCollision, AHarmfulPowerupKillsAfterShowingItsText)
{
    startEmpty();
    game.player->health = 10;
    addPowerup(Powerup::Hurt15, game.player->pos.x, game.player->pos.y);
    addPowerup(Powerup::Money1000, game.player->pos.x, game.player->pos.y);
    SoundLog sounds;

    game.handleCollisions();

    EXPECT_EQ(game.player->state, Dying);
    // The walk goes on: the second power-up is still taken by the dying
    // creature, whose health is still gone, so it is killed once more.
    ASSERT_EQ(game.bubbles.size(), 2u);
    EXPECT_EQ(textOf(*game.bubbles[0]), "-15HP");
    EXPECT_EQ(textOf(*game.bubbles[1]), "$1000");
    EXPECT_EQ(game.score.total(), 1000);
    const SAMPLE* heard[] = {collectSample, dieSample, collectSample, dieSample};
    ASSERT_EQ(sounds.events().size(), 4u);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(sounds.events()[i].sample, heard[i]) << "sound " << i;
}

TEST_F(PlayCollision, DistantCreaturesNeverTouchWhateverTheRadius)
{
    // Beyond about 181 units the fixed-point distance saturates; with a
    // radius that large distant pairs must stay apart and near ones bounce
    // along their true line of centres.
    settings.rad = 100;
    startEmpty();
    Soul& left = addSoul(200, 300, 1, 0);
    Soul& right = addSoul(700, 300, -1, 0);
    Soul& near = addSoul(200, 490, 0, -1);

    game.collide(left, right);
    EXPECT_FLOAT_EQ(left.vel.x, 1);
    EXPECT_FLOAT_EQ(right.vel.x, -1);

    game.collide(left, near);
    EXPECT_NEAR(left.vel.y, -1, 1e-4) << "190 apart is within two radii of 100";
    EXPECT_NEAR(near.vel.y, 0, 1e-4);
}

TEST_F(PlayCollision, ADyingOrDeadUserNeitherCollidesNorPicksUp)
{
    for (PlayerState state : {Dying, Dead}) {
        startEmpty();
        game.powerups.clear();
        Player& player = *game.player;
        player.state = state;
        player.pos = {500, 300};
        player.vel = {3, 0};
        Soul& soul = addSoul(530, 300);
        soul.health = 10;
        Powerup& powerup = addPowerup(Powerup::Money5000, 500, 300);
        SoundLog sounds;

        game.handleCollisions();

        EXPECT_FLOAT_EQ(soul.health, 10) << "state " << state;
        EXPECT_FLOAT_EQ(player.vel.x, 3) << "state " << state;
        EXPECT_EQ(powerup.state, Alive) << "state " << state;
        EXPECT_EQ(game.score.total(), 0) << "state " << state;
        EXPECT_EQ(sounds.playsOf(collectSample), 0) << "state " << state;
    }
}
