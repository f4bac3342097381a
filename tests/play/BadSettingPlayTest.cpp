#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "PlayFixture.h"
#include "SoundLog.h"
#include "frame/Resources.h"
#include "world/Difficulty.h"

// Every key the play screen reads, set one at a time to what a hand-edited or
// damaged configuration file can hold (text reads as 0). Random play with each
// must keep every number finite, every list bounded and every volume playable,
// and must never crash or stall.

namespace {

struct BadSetting {
    std::string name;  // key and value, as the test's name
    int Settings::*whole;
    float Settings::*fraction;
    double value;

    void applyTo(Settings& record) const
    {
        if (whole)
            record.*whole = static_cast<int>(value);
        else
            record.*fraction = static_cast<float>(value);
    }
};

std::string spelled(int value)
{
    std::string number = std::to_string(value);
    return number[0] == '-' ? "minus" + number.substr(1) : number;
}

std::vector<BadSetting> badSettings()
{
    struct WholeKey {
        const char* key;
        int Settings::*field;
        std::vector<int> values;
    };
    const WholeKey wholeKeys[] = {
        {"rad", &Settings::rad, {0, -1, -16, INT_MIN, 2000, 1000000, INT_MAX}},
        {"hp1", &Settings::hp1, {0, -1, INT_MIN, INT_MAX}},
        {"hp2", &Settings::hp2, {0, -1, INT_MIN, INT_MAX}},
        {"spawnTime", &Settings::spawnTime, {0, -1, INT_MIN, INT_MAX}},
        {"maxParticles", &Settings::maxParticles, {-1, INT_MIN, 1000000, INT_MAX}},
        {"difficulty", &Settings::difficulty, {-1, 3, INT_MIN, INT_MAX}},
        {"nStars", &Settings::nStars, {-1, INT_MIN, 1000000, INT_MAX}},
        {"volSound", &Settings::volSound, {-1, 256, INT_MIN, INT_MAX}},
    };
    const double infinite = std::numeric_limits<double>::infinity();
    const std::pair<double, const char*> fractions[] = {
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {infinite, "inf"},
        {-infinite, "minus_inf"},
        {1e30, "1e30"},
        {-1e30, "minus_1e30"},
        {FLT_MAX, "float_max"},
        {-1, "minus1"},
    };
    std::vector<BadSetting> all;
    for (const WholeKey& key : wholeKeys)
        for (int value : key.values)
            all.push_back({std::string(key.key) + "_" + spelled(value), key.field, nullptr, double(value)});
    for (const auto& [value, name] : fractions) {
        all.push_back({std::string("acc_") + name, nullptr, &Settings::acc, value});
        all.push_back({std::string("dec_") + name, nullptr, &Settings::dec, value});
    }
    return all;
}

std::string caseName(const testing::TestParamInfo<BadSetting>& info) { return info.param.name; }

bool sameColour(int a, int b) { return getr(a) == getr(b) && getg(a) == getg(b) && getb(a) == getb(b); }

bool finite(const Vector& v) { return std::isfinite(v.x) && std::isfinite(v.y); }

bool insideTheWorld(const Object& object)
{
    return object.pos.x >= 0 && object.pos.x <= Object::WORLD_WIDTH && object.pos.y >= 0 &&
           object.pos.y <= Object::WORLD_HEIGHT;
}

class BadSettingPlay : public PlayFixture, public testing::WithParamInterface<BadSetting> {
protected:
    static constexpr int TICKS = 600;
    static constexpr int DRAW_EVERY = 10;

    void TearDown() override { destroySpriteScratch(); }

    void pressRandomKeys()
    {
        for (int arrow : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN})
            if (std::rand() % 15 == 0)
                key[arrow] = !key[arrow];
        key[KEY_ESC] = std::rand() % 300 == 0;
        key[KEY_ENTER] = std::rand() % 30 == 0;
    }

    void checkCreature(const Player& creature, const char* what, size_t particleLimit)
    {
        ASSERT_TRUE(finite(creature.pos)) << what;
        ASSERT_TRUE(finite(creature.vel)) << what;
        ASSERT_TRUE(insideTheWorld(creature)) << what;
        ASSERT_FALSE(std::isnan(creature.health)) << what;
        ASSERT_LE(creature.particles.size(), particleLimit) << what;
        for (const Particle& particle : creature.particles) {
            ASSERT_TRUE(std::isfinite(particle.x) && std::isfinite(particle.y)) << what;
            ASSERT_LE(particle.life, MAX_PARTICLES) << what;
        }
    }

    void checkInvariants(const SoundLog& sounds)
    {
        checkCreature(*game.player, "user's creature", MAX_PARTICLES);
        ASSERT_TRUE(finite(game.camera->pos));
        ASSERT_LE(game.souls.size(), static_cast<size_t>(5 + TICKS));
        for (const auto& soul : game.souls) {
            checkCreature(*soul, "soul", MAX_PARTICLES);
            ASSERT_NE(Dead, soul->state);
        }
        for (const auto& powerup : game.powerups)
            checkCreature(*powerup, "power-up", Powerup::FOUNTAIN_LIMIT + Powerup::BURST_PARTICLES);
        ASSERT_LE(game.stars.size(), static_cast<size_t>(MAX_STARS));
        for (const auto& bubble : game.bubbles)
            ASSERT_TRUE(finite(bubble->pos));
        if (spriteScratch) {
            ASSERT_LE(spriteScratch->w, 2 * MAX_RADIUS);
            ASSERT_LE(spriteScratch->h, 2 * MAX_RADIUS);
        }
        for (const SoundEvent& event : sounds.events()) {
            ASSERT_GE(event.volume, 0);
            ASSERT_LE(event.volume, MAX_VOLUME);
        }
    }

    Picture frame;
};

} // namespace

TEST_P(BadSettingPlay, RandomPlayStaysFiniteBoundedAndPlayable)
{
    GetParam().applyTo(settings);
    SoundLog sounds;
    std::srand(77);
    game.start();
    for (int t = 0; t < TICKS; t++) {
        pressRandomKeys();
        if (game.logic()) {
            game.start();
            game.readKeys();
        }
        if (t % DRAW_EVERY == 0)
            game.draw(frame);
        checkInvariants(sounds);
        if (HasFatalFailure())
            return;
        sounds.clear();
    }
}

INSTANTIATE_TEST_SUITE_P(EachKey, BadSettingPlay, testing::ValuesIn(badSettings()), caseName);

using BadSettingHud = PlayFixture;

TEST_F(BadSettingHud, WithoutAPositiveHp1TheHealthBarReadsAsAtZeroHealth)
{
    Picture frame;
    int unlit = makecol(64, 64, 64);
    int r, g, b;
    hsv_to_rgb(0.0f, 1.0f, 1.0f, &r, &g, &b);
    int firstLit = makecol(r, g, b);
    for (int hp1 : {0, -1, INT_MIN}) {
        settings.hp1 = hp1;
        startEmpty();
        clear_to_color(frame, makecol(0, 0, 0));
        game.hud.drawHealthBar(frame, game.player->health, Difficulty::playerCeiling());
        const int middleY = 230;
        EXPECT_TRUE(sameColour(firstLit, getpixel(frame, 4 + 3, middleY))) << hp1;
        for (int segment = 1; segment < 30; segment++)
            ASSERT_TRUE(sameColour(unlit, getpixel(frame, 4 + 8 * segment + 3, middleY)))
                << hp1 << ", segment " << segment;
    }
}

TEST_F(BadSettingHud, SoundsBeyondFullVolumePlayAtFullVolumeAndTheAmbienceAtThreeQuartersOfIt)
{
    SoundLog sounds;
    for (int volSound : {256, 1000, INT_MAX}) {
        settings.volSound = volSound;
        sounds.clear();
        game.start();
        game.logic();
        ASSERT_EQ(1, sounds.playsOf(ambientSamplesA[0]));
        for (const SoundEvent& event : sounds.events()) {
            if (event.sample == ambientSamplesA[0] || event.sample == ambientSamplesA[1])
                EXPECT_EQ(191, event.volume) << volSound;
            else
                EXPECT_EQ(127, event.volume) << "a wail plays at half volume; " << volSound;
        }
    }
    settings.volSound = -40;
    sounds.clear();
    game.start();
    game.logic();
    for (const SoundEvent& event : sounds.events())
        EXPECT_EQ(0, event.volume);
}
