#include "play/Replay.h"

#include "settings/Settings.h"

void Replay::begin(std::uint32_t gameSeed)
{
    formatVersion = FORMAT_VERSION;
    gameVersion = GAME_VERSION;
    seed = gameSeed;
    forEachPlaySetting([this](const char*, auto field, auto usable) { play.*field = usable(settings.*field); });
    ticks.clear();
    digests.clear();
    finalScore = 0;
}

void Replay::applySettings() const
{
    forEachPlaySetting([this](const char*, auto field, auto) { settings.*field = play.*field; });
}

