#pragma once

// What each difficulty level does to the creatures' starting health, their
// healing ceilings and the interval between souls: the one table the
// creatures and the play screen read, at the moment of use. A level outside
// 0..2, which only an edited configuration file can give, plays as normal.
class Difficulty {
public:
    // value × numerator / denominator in 64-bit integers, truncated toward
    // zero, so no edited setting can overflow it.
    struct Ratio {
        long long numerator;
        long long denominator;

        long long of(long long value) const;
    };

    struct Level {
        float playerStart;  // share of hp1, multiplied as floats
        float soulStart;    // share of hp2, multiplied as floats
        Ratio playerCeiling;  // of hp1
        Ratio soulCeiling;    // of hp2
        Ratio spawnInterval;  // of spawnTime
    };

    // The level settings.difficulty names now.
    static const Level& current();

    static float playerStartingHealth();
    static float soulStartingHealth();
    static float playerCeiling();
    static float soulCeiling();
    static long long spawnInterval();
};
