#pragma once

#include <string>

#include "TempDir.h"

// A fresh directory that is the working directory for as long as this lives:
// the game reads and writes the player's files there. The one before comes
// back at the end.
class ScratchWorkingDir {
public:
    ScratchWorkingDir();
    ~ScratchWorkingDir();
    const std::string& path() const { return dir.path(); }

private:
    TempDir dir;
    std::string previous;
};
