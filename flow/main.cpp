#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "flow/WispenGame.h"
#include "play/ReplayFile.h"
#include "play/ReplayVerifier.h"

namespace {

bool given(int argc, char** argv, const char* option) { return argc > 1 && std::strcmp(argv[1], option) == 0; }

// "--verify-replay FILE" plays FILE through without a display, sound or the
// player's files and ends with its verdict as the status: nothing of the
// game's own start-up runs, so it works beside a running game and on a
// machine without either.
int verifyReplay(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "Error: --verify-replay needs the name of a replay file\n");
        return ReplayVerifier::Unreadable;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "Error: %s\n", allegro_error);
        return ReplayVerifier::Unreadable;
    }
    return ReplayVerifier::verify(argv[2], stdout, stderr);
}

} // namespace

// "--replay FILE" plays that replay instead of the menus. The file is read
// before anything opens, so a bad one costs one line and status 1.
int main(int argc, char** argv)
{
    if (given(argc, argv, "--verify-replay"))
        return verifyReplay(argc, argv);
    Replay replay;
    bool watching = given(argc, argv, "--replay");
    if (watching) {
        std::string why = "--replay needs the name of a replay file";
        if (argc < 3 || !ReplayFile::read(argv[2], replay, why)) {
            std::fprintf(stderr, "Error: %s\n", why.c_str());
            return 1;
        }
    }
    WispenGame game;
    Error error = game.init();
    if (error.failed()) {
        allegro_message("%s", error.message());
        return 1;
    }
    if (watching)
        game.watch(replay);
    // A display that took neither mode at a switch ends the game as a
    // display that took none at start-up does.
    error = game.run();
    if (error.failed()) {
        allegro_message("%s", error.message());
        return 1;
    }
    return 0;
}
END_OF_MAIN()
