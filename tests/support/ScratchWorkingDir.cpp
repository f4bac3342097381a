#include "ScratchWorkingDir.h"

#include <filesystem>

// A directory that cannot be entered throws, which fails the test.
ScratchWorkingDir::ScratchWorkingDir() : previous(std::filesystem::current_path())
{
    std::filesystem::current_path(dir.path());
}

ScratchWorkingDir::~ScratchWorkingDir()
{
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}
