#include <allegro.h>

#include "app/WispenGame.h"

int main()
{
    WispenGame game;
    Error error = game.init();
    if (error.failed()) {
        allegro_message("%s", error.message());
        return 1;
    }
    game.run();
    return 0;
}
END_OF_MAIN()
