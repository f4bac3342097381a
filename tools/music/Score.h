#pragma once

#include <string>
#include <vector>

#include "music/ItModule.h"

// Writing music into patterns: a small note language and voices that hand
// notes to channels without clicks.

// "E5:2 A5:2 r:4 C#6:8": note name, sharp '#' or flat 'b', tracker octave
// (C5 = middle C), then ':' and the length in rows; 'r' is a rest.
struct NoteEvent {
    int row;     // from the start of the line
    int note;    // -1 for a rest
    int length;
};

std::vector<NoteEvent> parseLine(const std::string& line);

// Rows a parsed line covers.
int lineLength(const std::vector<NoteEvent>& events);

// "C5" -> 60. Throws on anything else.
int parseNote(const std::string& name);

// A chord as note names, "A4 C5 E5".
std::vector<int> parseChord(const std::string& names);

// Volume-slide speed that silences a full-volume note within one row at speed 6.
constexpr int FADE_FAST = 0x0E;

// A melodic line over a few channels in turn. Each note also fades out the
// channel that the next note will take, so a channel is always silent before
// it is reused: no note is ever cut off mid-swing.
class Voice {
public:
    Voice(std::vector<int> channels, int sample);

    void play(ItPattern& p, int row, int note, int volume);
    // Fades every channel of the voice on this row.
    void release(ItPattern& p, int row);
    // At a jump back to the start, lets the last note ring into the first
    // one (which fades it) when the channels line up; otherwise fades it here.
    void closeLoop(ItPattern& p, int row);
    // Plays a line from startRow; rests release.
    void line(ItPattern& p, int startRow, const std::string& text, int volume, int transpose = 0);

private:
    std::vector<int> channels;
    int sample;
    size_t next = 0;
};

// Sustained chords over two sets of channels: each new chord fades the other
// set slowly, so chords cross-fade.
class PadVoice {
public:
    PadVoice(std::vector<int> setA, std::vector<int> setB, int sample);

    void chord(ItPattern& p, int row, const std::vector<int>& notes, int chordVolume);
    // Silences both sets within this row.
    void release(ItPattern& p, int row);
    // As Voice::closeLoop: the first chord cross-fades from the second set.
    void closeLoop(ItPattern& p, int row);

private:
    void fade(ItPattern& p, int row, const std::vector<int>& set);
    std::vector<int> sets[2];
    int sample;
    int current = 1;
    int volume = 64;  // of the chord now sounding
};

// A single note on a fixed channel, for drums and one-offs.
void hit(ItPattern& p, int row, int channel, int sample, int note, int volume);

// An effect on a channel; the cell's note, if any, stays.
void effect(ItPattern& p, int row, int channel, char letter, int param);
