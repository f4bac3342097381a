#pragma once

// Every tunable value of the game. Read from the configuration file once at
// start-up, edited in place by the options menu, written back at exit. Every
// part of the game reads the global record at the moment it needs a value.
struct Settings {
    int w = 320;
    int h = 240;
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
};

extern Settings settings;

// Makes fileName the library's current configuration file and reads every key;
// a missing file or key keeps the value the record already holds.
void readSettings(const char* fileName);

// Makes fileName the current configuration file and writes all 21 keys.
void writeSettings(const char* fileName);
