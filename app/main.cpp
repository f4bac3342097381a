#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/WispenGame.h"

// "--replay FILE" plays that replay instead of the menus. The file is read
// before anything opens, so a bad one costs one line and status 1.
int main(int argc, char** argv)
{
    Replay replay;
    bool watching = argc > 1 && std::strcmp(argv[1], "--replay") == 0;
    if (watching) {
        std::string why = "--replay needs the name of a replay file";
        if (argc < 3 || !Replay::read(argv[2], replay, why)) {
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
