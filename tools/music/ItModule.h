#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An Impulse Tracker module in sample mode (no instruments), as the music
// tool composes it, and its writer. Notes count in semitones with C-5 = 60,
// middle C, as trackers number them.
constexpr int IT_MAX_CHANNELS = 64;
constexpr int IT_ORDER_SKIP = 254;
constexpr int IT_ORDER_END = 255;
constexpr int IT_NOTE_CUT = 254;

// Effect letters as the format numbers them (A = 1).
constexpr int itEffect(char letter) { return letter - 'A' + 1; }

struct ItSample {
    std::string name;
    std::vector<int16_t> data;
    uint32_t c5Speed = 44100;  // playback rate of note C-5
    bool loop = false;
    uint32_t loopBegin = 0;
    uint32_t loopEnd = 0;      // one past the last looped sample
    uint8_t volume = 64;       // default note volume, 0..64
};

// One pattern cell; negative note / volume and zero sample / command mean
// "nothing in this column".
struct ItCell {
    int note = -1;
    int sample = 0;
    int volume = -1;
    int command = 0;
    int param = 0;

    bool empty() const { return note < 0 && sample == 0 && volume < 0 && command == 0; }
};

class ItPattern {
public:
    ItPattern(int rows, int channels);

    int rows() const { return rowCount; }
    int channels() const { return channelCount; }
    ItCell& at(int row, int channel);
    const ItCell& at(int row, int channel) const;

    // The packed form the file stores: per row, the cells that are set.
    std::vector<uint8_t> pack() const;

private:
    int rowCount;
    int channelCount;
    std::vector<ItCell> cells;
};

class ItModule {
public:
    std::string title;
    int initialSpeed = 6;
    int initialTempo = 125;
    int globalVolume = 128;   // 0..128
    int mixingVolume = 48;    // 0..128
    int channelPan[IT_MAX_CHANNELS] = {};     // 0 left .. 32 centre .. 64 right
    int channelVolume[IT_MAX_CHANNELS] = {};  // 0..64
    int channelsUsed = 0;     // channels past this are written disabled

    std::vector<int> orders;  // pattern numbers or IT_ORDER_SKIP / IT_ORDER_END
    std::vector<ItSample> samples;
    std::vector<ItPattern> patterns;

    std::vector<uint8_t> serialise() const;
    bool write(const std::string& path) const;
};
