#pragma once

#include "settings/Action.h"
#include "settings/PictureSize.h"

// Room for a key's name in the record, the terminator included; a longer text
// in the file names no key and is written back cut to this length.
constexpr int KEY_NAME_ROOM = 64;

// Every tunable value of the game. Read from the configuration file once at
// start-up, edited in place by the options menu, written back at exit. Every
// part of the game reads the global record at the moment it needs a value.
struct Settings {
    int w = PICTURE_W;
    int h = PICTURE_H;
    int bpp = 32;
    int fullscreen = 1;
    int vsync = 0;
    int fps = 60;
    int unlimitedFPS = 1;
    int showFPS = 0;
    int yield = 0;
    int driver = 0;
    float acc = 0.04f;
    float dec = 0.98f;
    int rad = 16;
    int hp1 = 45;
    int hp2 = 10;
    int spawnTime = 300;
    int maxParticles = 40;
    int difficulty = 1;
    int nStars = 300;
    int volSound = 125;
    int volMusic = 125;
    // Whole factor the picture is enlarged by on the display; 0, or any value
    // below 1, picks the largest that fits. Kept last: the record's older
    // fields keep their places.
    int scale = 0;
    // The first gamepad: 0 in padEnabled never installs the joystick driver.
    // The stick steers beyond padDeadZone per cent of its travel. The buttons
    // are numbered as the kernel numbers them: on Xbox-style pads 0 is A, 1 is
    // B and 7 is Start.
    int padEnabled = 1;
    int padDeadZone = 50;
    int padEnter = 0;
    int padEscape = 1;
    int padStart = 7;
    // Buttons that move like the stick and the D-pad, which always do; -1
    // for none.
    int padUp = -1;
    int padDown = -1;
    int padLeft = -1;
    int padRight = -1;
    // The actions' keys by the names of input/KeyNames. The record keeps the
    // text as the file held it; the controls take an unusable name as the
    // action's default key (Controls::keysOf).
    char keyUp[KEY_NAME_ROOM] = "UP";
    char keyDown[KEY_NAME_ROOM] = "DOWN";
    char keyLeft[KEY_NAME_ROOM] = "LEFT";
    char keyRight[KEY_NAME_ROOM] = "RIGHT";
    char keyChoose[KEY_NAME_ROOM] = "ENTER";
    char keyBack[KEY_NAME_ROOM] = "ESC";
    // 1 opens the abandon question when the player switches away during play.
    int pauseOnFocusLoss = 1;
};

extern Settings settings;

// Makes fileName the library's current configuration file and reads every key;
// a missing file or key keeps the value the record already holds. Bytes that
// are never part of UTF-8 text (0xF8 and above) reach the library as '?'.
void readSettings(const char* fileName);

// Makes fileName the current configuration file and writes every key.
void writeSettings(const char* fileName);

// The fields of one action: its key's name and its pad button (-1 for none).
const char* keyNameOf(const Settings& s, Action action);
void setKeyName(Settings& s, Action action, const char* name);
int padButtonOf(const Settings& s, Action action);
void setPadButton(Settings& s, Action action, int button);

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
// The value when it is a finite number, otherwise ("nan" or "inf" in the file)
// the default: steering with either would make every position not a number.
float usableAcc(float acc);
float usableDec(float dec);
