#pragma once

#include <type_traits>

#include "settings/PictureSize.h"

// Room for a key's name in the record, the terminator included; a longer text
// in the file names no key and is written back cut to this length.
constexpr int KEY_NAME_ROOM = 64;

using KeyName = char[KEY_NAME_ROOM];

// The sections of the file, as settings/SettingList.h names them.
namespace SettingSection {
inline constexpr const char* GENERAL = "GENERAL";
inline constexpr const char* SPEED = "SPEED";
inline constexpr const char* WISPEN = "WISPEN";
inline constexpr const char* GAMEPAD = "GAMEPAD";
inline constexpr const char* KEYS = "KEYS";
} // namespace SettingSection

// Every tunable value of the game, one field for each line of
// settings/SettingList.h, its default as the initialiser. Read from the
// configuration file once at start-up, edited in place by the options menu,
// written back at exit. Every part of the game reads the global record at the
// moment it needs a value. The record keeps what the file held; the controls
// take an unusable key name as the action's default (Controls::keysOf).
struct Settings {
#define SETTING(type, section, key, field, initial, rule, play, meaning) type field = initial;
#include "settings/SettingList.h"
#undef SETTING
};

extern Settings settings;

// Makes fileName the library's current configuration file and reads every key;
// a missing file or key keeps the value the record already holds. Bytes that
// are never part of UTF-8 text (0xF8 and above) reach the library as '?'.
void readSettings(const char* fileName);

// Makes fileName the current configuration file and writes every key.
void writeSettings(const char* fileName);

// name holds text cut to fit, the rest of its room zeroed.
void copyKeyName(KeyName& name, const char* text);

// Limits. The record keeps whatever the file held, so the file is written back
// as it was read; where an edited value could crash, hang or poison the game,
// the code that uses it reads it through one of these at the moment of use.

// Sample volumes run from silence to full; the music plays at volMusic / 256.
constexpr int MAX_VOLUME = 255;
// From half the world's width on, a creature's movement box is empty on both
// axes, so a larger radius would change nothing in play but the size of the
// sprites drawn for it.
constexpr int MAX_RADIUS = 512;
// Ten times the longest trail the options offer. A trail is as many ticks
// long as its length, so an endless one would grow without bound.
constexpr int MAX_PARTICLES = 600;
// An edited configuration file cannot make a game allocate without end.
constexpr int MAX_STARS = 100000;

constexpr int DEFAULT_TICK_RATE = 60;
// The library's timer thread cannot tick faster than about once a millisecond.
constexpr int MAX_TICK_RATE = 1000;
// The logic rate start-up uses for the fps setting: one the timer can deliver,
// otherwise the default. The setting itself is written back as it was.
int tickRate(int fps);

int clampedVolume(int volume);  // 0 to MAX_VOLUME
// 0 to MAX_RADIUS: a negative radius makes creatures points, not larger.
int clampedRadius(int rad);
// 0 ("none") to MAX_PARTICLES.
int clampedTrailLength(int maxParticles);
// 0 (none) to MAX_STARS.
int clampedStarCount(int nStars);
// Easy, normal and hard; any other level plays as the default, normal.
constexpr int DIFFICULTY_LEVELS = 3;
int usableDifficulty(int difficulty);
// The value when it is a finite number, otherwise ("nan" or "inf" in the file)
// the default: steering with either would make every position not a number.
float usableAcc(float acc);
float usableDec(float dec);
// What needs no rule: no value of it can break the game.
constexpr int asSet(int value) { return value; }
constexpr const char* asSet(const char* name) { return name; }

// One line of settings/SettingList.h as a walk sees it; the default is the
// field's in a fresh record.
template <typename T>
struct Setting {
    // Whole numbers and floats come out of their rule as such, a key's name
    // as text.
    using Value = std::conditional_t<std::is_array_v<T>, const char*, T>;

    const char* section;
    const char* key;
    T Settings::*field;
    Value (*rule)(Value);
    bool play;
    const char* meaning;
};

// Calls visit with each Setting<int>, Setting<float> and Setting<KeyName>,
// in the file's order.
template <typename Visit>
constexpr void forEachSetting(Visit&& visit)
{
    using namespace SettingSection;
#define SETTING(type, section, key, field, initial, rule, play, meaning) \
    visit(Setting<type>{section, key, &Settings::field, rule, play, meaning});
#include "settings/SettingList.h"
#undef SETTING
}
