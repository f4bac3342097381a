#pragma once

#include <allegro.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// What both fuzz targets share: the library started without a display, a
// directory of this process's own for the files under test, and a broken
// expectation turned into a crash, so libFuzzer keeps the input that caused it.
namespace fuzz {

inline void check(bool holds, const char* expectation)
{
    if (holds)
        return;
    std::fprintf(stderr, "Expectation broken: %s\n", expectation);
    std::abort();
}

// Started once, the way the unit tests start it: memory bitmaps, text and
// packfiles work; no display, keyboard or timer.
inline void startLibrary()
{
    check(install_allegro(SYSTEM_NONE, &errno, atexit) == 0, "the library starts without a display");
    set_color_depth(32);
}

// A fresh directory under $TMPDIR (or /tmp), removed when the process ends
// normally. Every input rewrites the same few files in it; the table syncs its
// file, so a RAM-backed TMPDIR keeps the fuzzer fast.
class ScratchDir {
public:
    ScratchDir()
    {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/wispen-fuzz-XXXXXX";
        check(mkdtemp(pattern.data()) != nullptr, "a private scratch directory can be made");
        dir = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const char* name) const { return dir + "/" + name; }

private:
    std::string dir;
};

inline const ScratchDir& scratch()
{
    static ScratchDir dir;
    return dir;
}

inline void writeFile(const std::string& path, const void* bytes, std::size_t size)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    check(out != nullptr, "the scratch file can be written");
    check(std::fwrite(bytes, 1, size, out) == size, "the whole input reaches the scratch file");
    check(std::fclose(out) == 0, "the scratch file closes");
}

inline void writeFile(const std::string& path, const std::string& bytes)
{
    writeFile(path, bytes.data(), bytes.size());
}

inline std::string readFile(const std::string& path)
{
    std::string bytes;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    check(in != nullptr, "the file can be read back");
    char chunk[256];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0)
        bytes.append(chunk, got);
    std::fclose(in);
    return bytes;
}

// With WISPEN_FUZZ_WRITE_SEEDS set to a directory, a target writes its seed
// corpus there and ends instead of fuzzing: the seeds are made by the game's
// own code, so they follow the file formats wherever those go.
inline const char* seedDirectory()
{
    const char* dir = std::getenv("WISPEN_FUZZ_WRITE_SEEDS");
    return dir && *dir ? dir : nullptr;
}

} // namespace fuzz
