// Makes the golden replays: scripted games played through the real play
// screen, each recorded as the game records a player's, written into the
// directory named on the command line, each in its folder: 1.0.0/ holds the
// games as version 1.0.0 recorded them (format 1, without digests), which
// every later build must still play in step; format2/ a game with digests.
// Run it only when a change to the play logic is meant to change the
// goldens, and say why in the commit. A new golden is added by writing all
// into a scratch directory, checking that the others come out byte for byte
// as committed, and copying the new one over.
//
//   make_golden_replays tests/replays

#include <allegro.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "StandInResources.h"
#include "settings/Settings.h"
#include "play/MainGame.h"
#include "play/ReplayFile.h"

namespace {

// The script's own generator: the game's rand must see only the game's draws.
class Script {
public:
    explicit Script(std::uint32_t seed) : state(seed) {}
    int below(int n)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
    }

private:
    std::uint32_t state;
};

struct Golden {
    const char* file;
    std::uint16_t format;
    int difficulty;
    int maxParticles;
    int nStars;
    std::uint32_t seed;
    // Ticks at which Escape goes down; the last one abandons the game when
    // abandon is set, every other one is answered "no" with Escape still held.
    int escapes[3];
    bool abandon;
    int stopSteeringAt;  // the creature drifts from here on, so the souls win
};

const Golden GOLDENS[] = {
    {"1.0.0/easy-long.rpl", 1, 0, 40, 300, 20240601u, {-1, -1, -1}, false, 30000},
    {"1.0.0/normal-abandoned.rpl", 1, 1, 40, 300, 777u, {400, 900, -1}, true, 100000},
    {"1.0.0/hard-plain.rpl", 1, 2, 0, 0, 31337u, {600, -1, -1}, false, 1500},
    // Steered to the end: the longest game, many collisions for the
    // architectures' checks to agree on.
    {"1.0.0/easy-steered.rpl", 1, 0, 40, 300, 555u, {-1, -1, -1}, false, 1 << 30},
    {"format2/easy-long.rpl", 2, 0, 40, 300, 20240601u, {-1, -1, -1}, false, 30000},
};

void steer(Script& script)
{
    const int arrows[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
    for (int arrow : arrows)
        if (script.below(25) == 0)
            key[arrow] = !key[arrow];
}

bool escapeAt(const Golden& golden, int tick, bool& last)
{
    for (int i = 0; i < 3; i++) {
        if (golden.escapes[i] == tick) {
            last = i == 2 || golden.escapes[i + 1] < 0;
            return true;
        }
    }
    return false;
}

bool play(const Golden& golden, const std::string& dir)
{
    settings = Settings();
    settings.difficulty = golden.difficulty;
    settings.maxParticles = golden.maxParticles;
    settings.nStars = golden.nStars;
    std::memset(const_cast<char*>(key), 0, KEY_MAX);

    MainGame game;
    game.begin(golden.seed);
    game.readKeys();
    Script script(golden.seed ^ 0x5bd1e995u);
    int deadFor = 0;
    for (int tick = 0; tick < static_cast<int>(Replay::MAX_TICKS); tick++) {
        bool lastEscape = false;
        key[KEY_ESC] = escapeAt(golden, tick, lastEscape);
        if (tick < golden.stopSteeringAt)
            steer(script);
        else
            key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_UP] = key[KEY_DOWN] = 0;
        deadFor = game.player->state == Dead ? deadFor + 1 : 0;
        key[KEY_ENTER] = deadFor > 90;
        if (!game.logic())
            continue;
        if (game.player->state == Dead || (key[KEY_ESC] && lastEscape && golden.abandon))
            break;
        if (key[KEY_ESC])
            game.readKeys();  // "no" to the abandon question, Escape still down
    }
    game.ambience.stopSets();
    game.recording.finish(game.score.total());
    game.recording.formatVersion = golden.format;
    const std::string path = dir + "/" + golden.file;
    const std::string folder = path.substr(0, path.rfind('/'));
    if ((mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) || !ReplayFile::write(path, game.recording))
        return false;
    std::printf("%s: score %d, %u ticks\n", golden.file, game.recording.finalScore, game.recording.tickCount());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_golden_replays DIRECTORY\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 2;
    set_color_depth(32);
    StandInResources resources;
    for (const Golden& golden : GOLDENS)
        if (!play(golden, argv[1]))
            return 1;
    return 0;
}
