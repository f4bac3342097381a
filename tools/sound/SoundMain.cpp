// Synthesises every sample of the game into WAV files, which the datafile
// script packs. Usage: wispen_sound <directory>
#include <cstdio>
#include <string>

#include "frame/AssetManifest.h"
#include "sound/Recipes.h"
#include "sound/Wav.h"

namespace {

static_assert(WAIL_COUNT == AssetManifest::WAILS, "a wail for every one the game plays");

bool save(const std::string& dir, const std::string& name, const Signal& s)
{
    std::string path = dir + "/" + AssetManifest::fileOf(name, AssetManifest::Type::Sample);
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
    bool ok = save(dir, AssetManifest::ambient(1), makeNightWind());
    ok = save(dir, AssetManifest::ambient(2), makeGhostShimmer()) && ok;
    ok = save(dir, AssetManifest::DIE, makeDie()) && ok;
    ok = save(dir, AssetManifest::THUMP, makeThump()) && ok;
    ok = save(dir, AssetManifest::COLLECT, makeCollect()) && ok;
    ok = save(dir, AssetManifest::SELECT, makeSelect()) && ok;
    for (int i = 0; i < WAIL_COUNT; ++i)
        ok = save(dir, AssetManifest::wail(i), makeWail(i)) && ok;
    return ok ? 0 : 1;
}
