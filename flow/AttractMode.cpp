#include "flow/AttractMode.h"

#include <string>

#include "frame/GameScreen.h"
#include "play/ReplayFile.h"
#include "play/ReplayScreen.h"
#include "scores/HighScoreTable.h"
#include "settings/Settings.h"

namespace {

// Between menus: the high scores' replays start after this long without a key.
constexpr int ATTRACT_DELAY_SECONDS = 30;
// The end of each of them stays on screen this long before the next begins.
constexpr int ATTRACT_END_SECONDS = 3;

// The replay's entry as the list shows it: its owner is named and its score
// is the one recorded, or the replay belongs to no entry.
bool captionFor(const Replay& replay, int place, std::string& caption)
{
    HighScoreTable table(HIGH_SCORE_FILE, HighScoreTable::ReadOnly);
    int index = 0;
    for (const auto& entry : table.getEntries()) {
        if (index++ != place)
            continue;
        if (entry->score != replay.finalScore)
            return false;
        caption = entry->listLine();
        return true;
    }
    return false;
}

} // namespace

bool AttractMode::countIdleTick(bool idle)
{
    if (!idle) {
        idleTicks = 0;
        return false;
    }
    if (++idleTicks < ATTRACT_DELAY_SECONDS * tickRate(settings.fps))
        return false;
    idleTicks = 0;
    nextReplayPlace = 0;
    return true;
}

bool AttractMode::showNext(ReplayScreen& screen, const ReplayArchive& archive)
{
    while (nextReplayPlace < ReplayArchive::PLACES) {
        int place = nextReplayPlace++;
        Replay replay;
        std::string why;
        std::string caption;
        if (!ReplayFile::read(archive.highScorePath(place), replay, why) || !captionFor(replay, place, caption))
            continue;
        screen.result = NextReplay;
        screen.keyResult = MainMenu;
        screen.endHold = ATTRACT_END_SECONDS * tickRate(settings.fps);
        screen.show(replay, caption, true);
        return true;
    }
    return false;
}
