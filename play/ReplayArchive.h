#pragma once

#include <cstdint>
#include <string>

#include "play/Replay.h"
#include "scores/HighScoreTable.h"

// The replays kept beside the high-score file: the last finished game and one
// for each place of the table, named after the place, so the table's own file
// stays exactly as it was. A replay that cannot be written is simply missing.
class ReplayArchive {
public:
    // Files are made in dir (empty: the working directory).
    explicit ReplayArchive(std::string dir = "");

    std::string lastGamePath() const;
    // place counts from 0, the best.
    std::string highScorePath(int place) const;

    void keepLastGame(const Replay& replay) const;
    // The replay of a score just ranked in at place: the replays below move
    // down one place with their entries and the last one goes.
    void keepHighScore(int place, const Replay& replay) const;

    // The place a score takes when it enters the table in tableFile, below
    // every equal score; -1 when it does not enter.
    static int placeOf(std::int32_t score, const char* tableFile = HIGH_SCORE_FILE);

    static constexpr int PLACES = HighScoreTable::CAPACITY;

private:
    std::string dir;
};
