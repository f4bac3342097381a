#include "play/ReplayVerifier.h"

#include "play/Replay.h"
#include "play/ReplayScreen.h"

ReplayVerifier::Status ReplayVerifier::verify(const std::string& path, std::FILE* out, std::FILE* err)
{
    Replay replay;
    std::string why;
    if (!Replay::read(path, replay, why)) {
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
                 static_cast<unsigned>(screen.game.recording.tickCount()), inStep ? "in step" : "out of step");
    return inStep ? InStep : OutOfStep;
}
