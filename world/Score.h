#pragma once

// The running score of one game, owned by the play screen. Points earned are
// held as pending and counted into the shown value a slice per tick, bigger
// slices while more is pending, so the display climbs visibly.
class Score {
public:
    Score();
    virtual ~Score();

    void add(int points);
    int total() const;  // the true score, shown and pending together
    int value() const;  // what the display shows
    void tick();
    void clear();

    int shown;
    int step;
    int pending;
};
