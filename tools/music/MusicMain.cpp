// Composes the game's music module. Usage: wispen_music <output.it>
#include <cstdio>
#include <exception>

#include "music/Instruments.h"
#include "music/ItModule.h"
#include "music/Pieces.h"

namespace {

// Sets the loudness of the whole mix: every piece rendered at volume 1 comes
// to about -17 LUFS (play's 2 dB under, at its own level), so at the default
// Music setting the game plays it near -24 LUFS, and its loudest moment stays
// over 1 dB under full scale.
constexpr int MIXING_VOLUME = 31;

ItModule compose()
{
    ItModule module;
    module.title = "the WISPEN";
    module.initialSpeed = 6;
    module.initialTempo = 140;
    module.mixingVolume = MIXING_VOLUME;
    module.samples = makeInstruments();
    setUpChannels(module);
    composeGame(module);
    composeGameOver(module);
    composeMenu(module);
    return module;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wispen_music <output.it>\n");
        return 2;
    }
    try {
        ItModule module = compose();
        if (!module.write(argv[1])) {
            std::fprintf(stderr, "wispen_music: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wispen_music: %s\n", e.what());
        return 1;
    }
    return 0;
}
