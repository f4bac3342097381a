#include "app/Settings.h"

#include <allegro.h>
#include <cstdio>
#include <fstream>
#include <string>

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

// The library adds a missing key just before the first blank line after its
// section header; in a hand-edited file without blank lines between sections
// that would be inside the next section, where the key is never found again.
void copyWithSpacedSections(const char* from, const std::string& to)
{
    std::ifstream in(from);
    if (!in)
        return;
    std::ofstream out(to);
    std::string line;
    bool previousBlank = true;
    while (std::getline(in, line)) {
        size_t first = line.find_first_not_of(" \t\r");
        bool blank = first == std::string::npos;
        if (!blank && line[first] == '[' && !previousBlank)
            out << '\n';
        out << line << '\n';
        previousBlank = blank;
    }
}

// True when the current configuration holds every key, the whole numbers with
// the record's values. Floats are written rounded, so only their presence counts.
bool readsBackAsSettings()
{
    bool whole = true;
    forEachKey(
        settings,
        [&whole](const char* section, const char* name, int& value) {
            whole = whole && get_config_string(section, name, nullptr) &&
                    get_config_int(section, name, ~value) == value;
        },
        [&whole](const char* section, const char* name, float&) {
            whole = whole && get_config_string(section, name, nullptr);
        });
    return whole;
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
    // The keys go into a copy beside the file, which replaces the file only
    // once it reads back whole: a crash or a full disk mid-write never leaves
    // the player with a truncated configuration.
    std::string temp = std::string(fileName) + ".tmp";
    std::remove(temp.c_str());
    copyWithSpacedSections(fileName, temp);

    set_config_file(temp.c_str());
    forEachKey(
        settings,
        [](const char* section, const char* name, int& value) { set_config_int(section, name, value); },
        [](const char* section, const char* name, float& value) { set_config_float(section, name, value); });
    flush_config_file();

    set_config_file(temp.c_str());
    bool whole = readsBackAsSettings();
    if (!whole || std::rename(temp.c_str(), fileName) != 0)
        std::remove(temp.c_str());
    set_config_file(fileName);
}
