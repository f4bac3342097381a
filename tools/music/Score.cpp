#include "music/Score.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

int parseNote(const std::string& name)
{
    static const int SEMITONE[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("bad note: " + name);
    int semitone = SEMITONE[name[0] - 'A'];
    size_t pos = 1;
    if (name[pos] == '#') {
        ++semitone;
        ++pos;
    } else if (name[pos] == 'b') {
        --semitone;
        ++pos;
    }
    if (pos + 1 != name.size() || name[pos] < '0' || name[pos] > '9')
        throw std::invalid_argument("bad note: " + name);
    int note = (name[pos] - '0') * 12 + semitone;
    if (note < 0 || note > 119)
        throw std::invalid_argument("note out of range: " + name);
    return note;
}

std::vector<NoteEvent> parseLine(const std::string& line)
{
    std::vector<NoteEvent> events;
    std::istringstream in(line);
    std::string token;
    int row = 0;
    while (in >> token) {
        size_t colon = token.find(':');
        if (colon == std::string::npos)
            throw std::invalid_argument("missing length: " + token);
        std::string name = token.substr(0, colon);
        int length = std::stoi(token.substr(colon + 1));
        if (length < 1)
            throw std::invalid_argument("bad length: " + token);
        events.push_back({row, name == "r" ? -1 : parseNote(name), length});
        row += length;
    }
    return events;
}

int lineLength(const std::vector<NoteEvent>& events)
{
    return events.empty() ? 0 : events.back().row + events.back().length;
}

std::vector<int> parseChord(const std::string& names)
{
    std::vector<int> notes;
    std::istringstream in(names);
    std::string name;
    while (in >> name)
        notes.push_back(parseNote(name));
    return notes;
}

void hit(ItPattern& p, int row, int channel, int sample, int note, int volume)
{
    ItCell& c = p.at(row, channel);
    c.note = note;
    c.sample = sample;
    c.volume = volume;
}

void effect(ItPattern& p, int row, int channel, char letter, int param)
{
    ItCell& c = p.at(row, channel);
    if (c.command != 0)
        throw std::logic_error("two effects in one cell");
    c.command = itEffect(letter);
    c.param = param;
}

namespace {

// A volume slide down; a channel that already has an effect here keeps it.
void fadeChannel(ItPattern& p, int row, int channel, int speed)
{
    ItCell& c = p.at(row, channel);
    if (c.command == 0 && c.note < 0) {
        c.command = itEffect('D');
        c.param = speed & 0x0F;
    }
}

} // namespace

Voice::Voice(std::vector<int> voiceChannels, int voiceSample)
    : channels(std::move(voiceChannels)), sample(voiceSample)
{
}

void Voice::play(ItPattern& p, int row, int note, int volume)
{
    hit(p, row, channels[next], sample, note, volume);
    next = (next + 1) % channels.size();
    fadeChannel(p, row, channels[next], FADE_FAST);
}

void Voice::release(ItPattern& p, int row)
{
    for (int ch : channels)
        fadeChannel(p, row, ch, FADE_FAST);
}

void Voice::closeLoop(ItPattern& p, int row)
{
    // The first note of a piece takes channel 0 and fades channel 1 (or the
    // only one): the last note is safe exactly when it sits there.
    size_t last = (next + channels.size() - 1) % channels.size();
    if (last != 1 % channels.size())
        release(p, row);
}

void Voice::line(ItPattern& p, int startRow, const std::string& text, int volume, int transpose)
{
    for (const NoteEvent& e : parseLine(text)) {
        if (e.note < 0)
            release(p, startRow + e.row);
        else
            play(p, startRow + e.row, e.note + transpose, volume);
    }
}

PadVoice::PadVoice(std::vector<int> setA, std::vector<int> setB, int padSample)
    : sets{std::move(setA), std::move(setB)}, sample(padSample)
{
}

void PadVoice::fade(ItPattern& p, int row, const std::vector<int>& set)
{
    // A slide over several rows: the old chord lingers under the new one's
    // slow attack instead of stopping. The speed is chosen so that the slide
    // reaches silence from the chord's volume within those rows.
    const int rows = 6;
    const int ticksPerRow = 5;  // speed 6: the slide acts on all but the first tick
    const int speed = std::max(1, (volume + rows * ticksPerRow - 1) / (rows * ticksPerRow));
    for (int r = row; r < row + rows && r < p.rows(); ++r)
        for (int ch : set)
            fadeChannel(p, r, ch, speed);
}

void PadVoice::chord(ItPattern& p, int row, const std::vector<int>& notes, int chordVolume)
{
    current = 1 - current;
    const std::vector<int>& set = sets[current];
    if (notes.size() > set.size())
        throw std::invalid_argument("chord has more notes than the pad has channels");
    for (size_t i = 0; i < notes.size(); ++i)
        hit(p, row, set[i], sample, notes[i], chordVolume);
    fade(p, row, sets[1 - current]);
    volume = chordVolume;
    // Channels of this set left without a note must not keep an older chord.
    for (size_t i = notes.size(); i < set.size(); ++i)
        fadeChannel(p, row, set[i], FADE_FAST);
}

void PadVoice::closeLoop(ItPattern& p, int row)
{
    if (current != 1)
        release(p, row);
}

void PadVoice::release(ItPattern& p, int row)
{
    for (const std::vector<int>& set : sets)
        for (int ch : set)
            fadeChannel(p, row, ch, FADE_FAST);
}
