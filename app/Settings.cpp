#include "app/Settings.h"

#include <allegro.h>

Settings settings;

namespace {

const char* const GENERAL = "GENERAL";
const char* const SPEED = "SPEED";
const char* const WISPEN = "WISPEN";

// One walk over the keys in file order serves both directions, so reading and
// writing can never disagree about a key's section.
template <typename IntFn, typename FloatFn>
void forEachKey(Settings& s, IntFn onInt, FloatFn onFloat)
{
    onInt(GENERAL, "w", s.w);
    onInt(GENERAL, "h", s.h);
    onInt(GENERAL, "bpp", s.bpp);
    onInt(GENERAL, "fullscreen", s.fullscreen);
    onInt(GENERAL, "vsync", s.vsync);
    onInt(SPEED, "fps", s.fps);
    onInt(SPEED, "unlimitedFPS", s.unlimitedFPS);
    onInt(SPEED, "showFPS", s.showFPS);
    onInt(GENERAL, "yield", s.yield);
    onInt(GENERAL, "driver", s.driver);
    onFloat(WISPEN, "acc", s.acc);
    onFloat(WISPEN, "dec", s.dec);
    onInt(WISPEN, "rad", s.rad);
    onInt(WISPEN, "hp1", s.hp1);
    onInt(WISPEN, "hp2", s.hp2);
    onInt(WISPEN, "spawnTime", s.spawnTime);
    onInt(WISPEN, "maxParticles", s.maxParticles);
    onInt(WISPEN, "difficulty", s.difficulty);
    onInt(WISPEN, "nStars", s.nStars);
    onInt(WISPEN, "volSound", s.volSound);
    onInt(WISPEN, "volMusic", s.volMusic);
}

} // namespace

void readSettings(const char* fileName)
{
    set_config_file(fileName);
    forEachKey(
        settings,
        [](const char* section, const char* name, int& value) { value = get_config_int(section, name, value); },
        [](const char* section, const char* name, float& value) { value = get_config_float(section, name, value); });
}

void writeSettings(const char* fileName)
{
    set_config_file(fileName);
    forEachKey(
        settings,
        [](const char* section, const char* name, int& value) { set_config_int(section, name, value); },
        [](const char* section, const char* name, float& value) { set_config_float(section, name, value); });
    flush_config_file();
}
