#include <allegro.h>
#include <cstdio>

#include "app/Game.h"

namespace {

// The bare frame until the application with its screens takes its place: a
// cleared picture under the frame-rate overlay.
class BareGame : public Game {
public:
    BareGame() { std::snprintf(name, sizeof name, "%s", "Wispen"); }

    void draw(BITMAP* target) override
    {
        clear_bitmap(target);
        Game::draw(target);
    }
};

} // namespace

int main()
{
    BareGame game;
    Error error = game.init();
    if (error.failed()) {
        allegro_message("%s", error.message());
        return 1;
    }
    game.run();
    return 0;
}
END_OF_MAIN()
