#pragma once

#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "settings/Action.h"
#include "settings/Settings.h"

// The game's version. A replay is played only by the version that recorded
// it: any change to the play logic may make the same keys play another game,
// so a change that alters what recorded keys do raises this number.
constexpr std::uint16_t GAME_VERSION = 1;

// One game as it was played: the seed its random numbers started from, every
// setting that shapes play, the keys the play screen read on each logic tick
// and the score it ended with; from format 2 on, a digest of the world every
// CHECK_INTERVAL ticks as well. The play screen records into one; a replay
// screen plays one back. ReplayFile writes and reads it.
class Replay {
public:
    // What a recording is written as. Format 1 files, without digests, are
    // still read, played and written back as they came.
    static constexpr std::uint16_t FORMAT_VERSION = 2;
    static constexpr std::uint16_t FIRST_FORMAT = 1;
    // A second of play at the game's rate: a playback that parts from its
    // recording is caught within a second of where it parted.
    static constexpr std::uint32_t CHECK_INTERVAL = 60;
    // The parts of the world a digest keeps apart, in the file's order, so
    // that a playback can tell in what it parted.
    enum Quantity { Positions, Speeds, Health, Points, RandomState, QUANTITY_COUNT };
    using Digest = std::array<std::uint32_t, QUANTITY_COUNT>;
    // About 77 hours at 60 ticks a second: a longer claim is a damaged file,
    // refused before anything is allocated for it.
    static constexpr std::uint32_t MAX_TICKS = 1u << 24;
    // A tick's byte: the six actions (bits 0 to 5, as settings/Action.h orders
    // them), so a remapped key plays the same game, and, in bit 6, Back as
    // the screen's last snapshot held it, which decides whether a held Back
    // counts as pressed.
    static constexpr unsigned ESCAPE_SEEN = 1u << ACTION_COUNT;
    static constexpr unsigned TICK_BITS = ESCAPE_SEEN * 2 - 1;

    // A fresh recording of a game seeded with seed, under the settings of now.
    void begin(std::uint32_t seed);
    void record(unsigned tickKeys) { ticks.push_back(static_cast<std::uint8_t>(tickKeys)); }
    // The world's digest after the last tick recorded, a multiple of CHECK_INTERVAL.
    void check(const Digest& digest) { digests.push_back(digest); }
    void finish(std::int32_t score) { finalScore = score; }
    std::uint32_t tickCount() const { return static_cast<std::uint32_t>(ticks.size()); }
    // Puts the recorded play settings into the global record.
    void applySettings() const;

    // The settings that shape play, in the order the file's header holds
    // them, each with the rule that turns the player's setting into the value
    // play reads: begin records that value, and a recorded value the rule
    // would change is out of range. visit gets the setting's key, its field
    // and its rule.
    template <typename Visit>
    static constexpr void forEachPlaySetting(Visit visit)
    {
        forEachSetting([&visit](const auto& setting) {
            if constexpr (!std::is_array_v<std::remove_reference_t<decltype(Settings().*setting.field)>>)
                if (setting.play)
                    visit(setting.key, setting.field, setting.rule);
        });
    }

    std::uint16_t formatVersion = FORMAT_VERSION;
    std::uint16_t gameVersion = GAME_VERSION;
    std::uint32_t seed = 0;
    // The settings that shape play (settings/SettingList.h) as the play logic
    // reads them: values it clamps or replaces are stored clamped or
    // replaced, so they play the same. The record's other fields are unused.
    Settings play;
    std::vector<std::uint8_t> ticks;
    std::int32_t finalScore = 0;
    // One per CHECK_INTERVAL ticks, the first after tick CHECK_INTERVAL; none
    // in format 1.
    std::vector<Digest> digests;
};
