#include "play/ReplayArchive.h"

#include <cstdio>
#include <utility>

#include "play/ReplayFile.h"

namespace {

const char* const LAST_GAME_FILE = "wispen-last.rpl";

} // namespace

ReplayArchive::ReplayArchive(std::string directory) : dir(std::move(directory))
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
}

std::string ReplayArchive::lastGamePath() const { return dir + LAST_GAME_FILE; }

std::string ReplayArchive::highScorePath(int place) const
{
    return dir + "wispen-hs" + std::to_string(place + 1) + ".rpl";
}

void ReplayArchive::keepLastGame(const Replay& replay) const { ReplayFile::write(lastGamePath(), replay); }

void ReplayArchive::keepHighScore(int place, const Replay& replay) const
{
    if (place < 0 || place >= PLACES)
        return;
    // From the bottom up, so no replay is overwritten before it has moved; a
    // place without a replay leaves the place below it without one too.
    for (int from = PLACES - 2; from >= place; from--) {
        if (std::rename(highScorePath(from).c_str(), highScorePath(from + 1).c_str()) != 0)
            std::remove(highScorePath(from + 1).c_str());
    }
    if (!ReplayFile::write(highScorePath(place), replay))
        std::remove(highScorePath(place).c_str());
}

int ReplayArchive::placeOf(std::int32_t score, const char* tableFile)
{
    HighScoreTable table(tableFile, HighScoreTable::ReadOnly);
    if (!table.qualifies(score))
        return -1;
    int place = 0;
    for (const auto& entry : table.getEntries()) {
        if (entry->score < score)
            break;
        place++;
    }
    return place < PLACES ? place : -1;
}
