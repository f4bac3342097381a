#include "TempDir.h"

#include <cstdlib>
#include <filesystem>

TempDir::TempDir()
{
    char pattern[] = "/tmp/wispen-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    dir = made ? made : "";
}

TempDir::~TempDir()
{
    std::error_code ignored;
    if (!dir.empty())
        std::filesystem::remove_all(dir, ignored);
}

const std::string& TempDir::path() const { return dir; }
