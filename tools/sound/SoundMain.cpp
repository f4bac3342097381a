// Synthesises every sample of the game into WAV files, which the datafile
// script packs. Usage: wispen_sound <directory>
#include <cstdio>
#include <string>

#include "sound/Recipes.h"
#include "sound/Wav.h"

namespace {

bool save(const std::string& dir, const std::string& name, const Signal& s)
{
    std::string path = dir + "/" + name;
    if (!writeWav(path, s, SOUND_RATE)) {
        std::fprintf(stderr, "wispen_sound: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wispen_sound <directory>\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = save(dir, "amb1.wav", makeNightWind());
    ok = save(dir, "amb2.wav", makeGhostShimmer()) && ok;
    ok = save(dir, "die.wav", makeDie()) && ok;
    ok = save(dir, "thump.wav", makeThump()) && ok;
    ok = save(dir, "collect.wav", makeCollect()) && ok;
    ok = save(dir, "select.wav", makeSelect()) && ok;
    for (int i = 0; i < WAIL_COUNT; ++i)
        ok = save(dir, "scr" + std::to_string(i) + ".wav", makeWail(i)) && ok;
    return ok ? 0 : 1;
}
