#include "play/ReplayVerifier.h"

#include "play/ReplayFile.h"
#include "play/ReplayScreen.h"

namespace {

// Each quantity as the verdict names it, in the order of Replay::Quantity.
const char* const QUANTITY_NAMES[Replay::QUANTITY_COUNT] = {
    "the creatures' positions", "the creatures' speeds", "the creatures' health", "the score", "the random state",
};

// "out of step", and for a replay with digests where and in what it parted:
// "out of step from tick 1200: differs in the creatures' positions and the score".
std::string outOfStep(const ReplayScreen& screen)
{
    std::string verdict = "out of step";
    if (screen.partedIn() == 0)
        return verdict;
    verdict += " from tick " + std::to_string(screen.partedAt()) + ": differs in ";
    unsigned left = screen.partedIn();
    for (int quantity = 0; quantity < Replay::QUANTITY_COUNT; quantity++) {
        if (!(left & (1u << quantity)))
            continue;
        left &= ~(1u << quantity);
        verdict += QUANTITY_NAMES[quantity];
        if (left != 0)
            verdict += (left & (left - 1)) != 0 ? ", " : " and ";
    }
    return verdict;
}

} // namespace

ReplayVerifier::Status ReplayVerifier::verify(const std::string& path, std::FILE* out, std::FILE* err)
{
    Replay replay;
    std::string why;
    if (!ReplayFile::read(path, replay, why)) {
        std::fprintf(err, "Error: %s\n", why.c_str());
        return Unreadable;
    }
    ReplayScreen screen;
    screen.show(replay, "", true);
    // The screen finishes at the recorded last tick at the latest.
    for (std::uint32_t tick = 0; tick <= replay.tickCount() && screen.playing(); tick++)
        screen.step();
    bool inStep = !screen.playing() && !screen.outOfStep();
    std::fprintf(out, "%s: recorded %d at tick %u, replayed %d at tick %u: %s\n", path.c_str(),
                 static_cast<int>(replay.finalScore), static_cast<unsigned>(replay.tickCount()),
                 static_cast<int>(screen.game.score.total()),
                 static_cast<unsigned>(screen.game.recording.tickCount()), inStep ? "in step" : outOfStep(screen).c_str());
    return inStep ? InStep : OutOfStep;
}
