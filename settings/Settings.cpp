#include "settings/Settings.h"

#include <algorithm>
#include <allegro.h>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>
#include <unistd.h>

#include "files/FileSave.h"

Settings settings;

namespace {

using SettingSection::GAMEPAD;

// One walk over the table serves both directions, so reading and writing can
// never disagree about a key's section.
template <typename IntFn, typename FloatFn, typename NameFn>
void forEachKey(Settings& s, IntFn onInt, FloatFn onFloat, NameFn onName)
{
    forEachSetting([&](const auto& setting) {
        auto& value = s.*setting.field;
        using Value = std::remove_reference_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, int>)
            onInt(setting.section, setting.key, value);
        else if constexpr (std::is_same_v<Value, float>)
            onFloat(setting.section, setting.key, value);
        else
            onName(setting.section, setting.key, value);
    });
}

// The library reads the file as UTF-8 text and never finishes measuring a
// character begun with one of the old five- and six-byte lead bytes, which
// valid UTF-8 never holds: one such byte in a damaged file would hang the
// game at start-up. The library only ever sees them as '?'.
bool unreadableByte(char c) { return static_cast<unsigned char>(c) >= 0xF8; }

void makeReadable(std::string& text) { std::replace_if(text.begin(), text.end(), unreadableByte, '?'); }

// set_config_file, unless the file holds unreadable bytes: then the library
// gets a readable copy of its text, and the file itself is left as it is. A
// name that exists but is no regular file reads as an empty configuration:
// the library would block on a FIFO.
void useConfigFile(const char* fileName)
{
    if (access(fileName, F_OK) == 0 && !isRegularFile(fileName)) {
        set_config_data("", 0);
        return;
    }
    std::ifstream in(fileName, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (std::none_of(text.begin(), text.end(), unreadableByte)) {
        set_config_file(fileName);
        return;
    }
    makeReadable(text);
    set_config_data(text.data(), static_cast<int>(text.size()));
}

// The library adds a missing key just before the first blank line after its
// section header; in a hand-edited file without blank lines between sections
// that would be inside the next section, where the key is never found again.
// The old text is read whole first, since from and to may be the same file.
void copyWithSpacedSections(const char* from, const char* to)
{
    std::stringstream in;
    {
        std::ifstream old(from);
        if (!old)
            return;
        in << old.rdbuf();
    }
    std::ofstream out(to);
    std::string line;
    bool previousBlank = true;
    while (std::getline(in, line)) {
        size_t first = line.find_first_not_of(" \t\r");
        bool blank = first == std::string::npos;
        if (!blank && line[first] == '[' && !previousBlank)
            out << '\n';
        makeReadable(line);
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
        },
        // The library drops a key set to an empty text: absent reads as empty.
        [&whole](const char* section, const char* name, KeyName& value) {
            whole = whole && std::strcmp(get_config_string(section, name, ""), value) == 0;
        });
    return whole;
}

// The library reads "two" as 0, which is a real button on a gamepad, so the
// pad's keys take only a whole decimal number and otherwise keep the value.
int wholeNumber(const char* section, const char* name, int value)
{
    const char* text = get_config_string(section, name, nullptr);
    if (!text)
        return value;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text, &end, 10);
    end += std::strspn(end, " \t\r");
    if (end == text || *end != '\0' || errno == ERANGE || number < INT_MIN || number > INT_MAX)
        return value;
    return static_cast<int>(number);
}

} // namespace

void copyKeyName(KeyName& name, const char* text)
{
    // Zero-filled to the end: two records holding one name are equal byte
    // for byte.
    std::strncpy(name, text, KEY_NAME_ROOM - 1);
    name[KEY_NAME_ROOM - 1] = '\0';
}

void readSettings(const char* fileName)
{
    useConfigFile(fileName);
    forEachKey(
        settings,
        [](const char* section, const char* name, int& value) {
            value = section == GAMEPAD ? wholeNumber(section, name, value) : get_config_int(section, name, value);
        },
        [](const char* section, const char* name, float& value) { value = get_config_float(section, name, value); },
        [](const char* section, const char* name, KeyName& value) {
            const char* text = get_config_string(section, name, nullptr);
            if (text)
                copyKeyName(value, text);
        });
}

void writeSettings(const char* fileName)
{
    // The keys go into a copy beside the file, which replaces the file only
    // once it reads back whole: a crash or a full disk mid-write never leaves
    // the player with a truncated configuration.
    {
        FileSave save(fileName);
        if (save.allowed()) {
            copyWithSpacedSections(fileName, save.path());
            set_config_file(save.path());
            forEachKey(
                settings,
                [](const char* section, const char* name, int& value) { set_config_int(section, name, value); },
                [](const char* section, const char* name, float& value) { set_config_float(section, name, value); },
                [](const char* section, const char* name, KeyName& value) { set_config_string(section, name, value); });
            flush_config_file();

            set_config_file(save.path());
            if (readsBackAsSettings())
                save.commit();
        }
    }
    useConfigFile(fileName);
}

int clampedVolume(int volume) { return std::clamp(volume, 0, MAX_VOLUME); }

int clampedRadius(int rad) { return std::clamp(rad, 0, MAX_RADIUS); }

int clampedTrailLength(int maxParticles) { return std::clamp(maxParticles, 0, MAX_PARTICLES); }

int clampedStarCount(int nStars) { return std::clamp(nStars, 0, MAX_STARS); }

int usableDifficulty(int difficulty)
{
    return difficulty >= 0 && difficulty < DIFFICULTY_LEVELS ? difficulty : Settings().difficulty;
}

float usableAcc(float acc) { return std::isfinite(acc) ? acc : Settings().acc; }

float usableDec(float dec) { return std::isfinite(dec) ? dec : Settings().dec; }

int tickRate(int fps)
{
    if (fps < 1 || fps > MAX_TICK_RATE)
        return DEFAULT_TICK_RATE;
    return fps;
}
