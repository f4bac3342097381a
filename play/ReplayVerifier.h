#pragma once

#include <cstdio>
#include <string>

// Plays a replay file to its end without a display or sound and says whether
// it came out as recorded: what "wispen --verify-replay" runs for a score
// board, a bug report or a build on another architecture. The library must
// be started (a system driver of none will do).
class ReplayVerifier {
public:
    // The program's exit status for each verdict.
    enum Status { InStep = 0, OutOfStep = 1, Unreadable = 2 };

    // One line to out with the recorded and the replayed score and tick
    // count and the verdict; for a file that is no replay of this version,
    // "Error: " and the reason to err instead.
    static Status verify(const std::string& path, std::FILE* out, std::FILE* err);
};
