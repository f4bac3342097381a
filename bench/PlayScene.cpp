#include "PlayScene.h"

#include <cstdlib>

#include "play/Spawner.h"
#include "settings/Settings.h"

namespace {

constexpr int WARM_UP_TICKS = 480;

} // namespace

std::unique_ptr<MainGame> makePlayScene(int soulCount)
{
    settings = Settings();
    settings.hp1 = 1000000;
    settings.hp2 = 1000000;
    settings.spawnTime = 1000000000;
    std::srand(42);
    auto game = std::make_unique<MainGame>();
    game->start();
    while (static_cast<int>(game->souls.size()) < soulCount)
        Spawner::spawnSoul(game->souls, *game->player);
    for (int i = 0; i < WARM_UP_TICKS; i++)
        game->logic();
    return game;
}
