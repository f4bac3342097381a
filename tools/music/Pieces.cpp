#include "music/Pieces.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "music/Instruments.h"
#include "music/Score.h"

namespace {

enum Channel {
    CH_KICK,
    CH_SNARE,
    CH_HAT,
    CH_SHAKER,
    CH_BASS_A,
    CH_BASS_B,
    CH_LEAD_A,
    CH_LEAD_B,
    CH_PAD_A,  // four channels
    CH_PAD_B = CH_PAD_A + 4,  // four channels
    CH_ARP_A = CH_PAD_B + 4,
    CH_ARP_B,
    CH_BELL_A,  // three channels
    CH_SPEED = CH_BELL_A + 3,  // speed and order jumps
    CH_TEMPO,
    CH_LEVEL,  // the piece's global volume
    CHANNEL_COUNT
};

constexpr int ROWS_PER_BAR = 16;
constexpr int BARS_PER_PATTERN = 4;
constexpr int SPEED = 6;
constexpr int C5 = 60;

// A bar of harmony: the pad's voicing and the bass root.
struct Bar {
    const char* chord;
    const char* root;
};
using Progression = std::array<Bar, BARS_PER_PATTERN>;

// Everything a piece plays with; fresh for each piece so one piece's voices
// never hand their channel state to another.
struct Band {
    Voice bass{{CH_BASS_A, CH_BASS_B}, BASS};
    Voice sub{{CH_BASS_A, CH_BASS_B}, SUB};
    Voice lead{{CH_LEAD_A, CH_LEAD_B}, LEAD};
    Voice arp{{CH_ARP_A, CH_ARP_B}, PLUCK};
    Voice bell{{CH_BELL_A, CH_BELL_A + 1, CH_BELL_A + 2}, BELL};
    PadVoice pad{{CH_PAD_A, CH_PAD_A + 1, CH_PAD_A + 2, CH_PAD_A + 3},
                 {CH_PAD_B, CH_PAD_B + 1, CH_PAD_B + 2, CH_PAD_B + 3}, PAD};
};

ItPattern& newPattern(ItModule& module, int rows)
{
    module.patterns.emplace_back(rows, CHANNEL_COUNT);
    module.orders.push_back(static_cast<int>(module.patterns.size()) - 1);
    return module.patterns.back();
}

// dumb_it_start_at_order begins with the header's speed, tempo and global
// volume, so each piece sets its own in its first row. The level is the
// piece's mastering on top of the module's mixing volume, 0..128.
void beginPiece(ItModule& module, int startOrder, ItPattern& first, int tempo, int level)
{
    if (static_cast<int>(module.orders.size()) != startOrder + 1)
        throw std::logic_error("piece does not start at its order");
    effect(first, 0, CH_SPEED, 'A', SPEED);
    effect(first, 0, CH_TEMPO, 'T', tempo);
    effect(first, 0, CH_LEVEL, 'V', level);
}

constexpr int FULL_LEVEL = 128;
// Play's music 2 dB under the others: at full sliders its loudest bars meet a
// crowd's thumps, the pick-ups and the ambience, and the sum must stay over
// 1 dB under full scale.
constexpr int GAME_LEVEL = 102;

// The last row jumps back to the piece's start. No sustained voice may be cut
// at full swing there: each either hands over to the first notes or fades.
void endPiece(ItPattern& last, int startOrder, Band& band)
{
    int row = last.rows() - 1;
    band.bass.closeLoop(last, row);
    band.sub.closeLoop(last, row);
    band.lead.closeLoop(last, row);
    band.arp.closeLoop(last, row);
    band.bell.closeLoop(last, row);
    band.pad.closeLoop(last, row);
    effect(last, row, CH_SPEED, 'B', startOrder);
}

void padTo(ItModule& module, int order)
{
    if (static_cast<int>(module.orders.size()) > order)
        throw std::logic_error("piece runs into the next one's orders");
    while (static_cast<int>(module.orders.size()) < order)
        module.orders.push_back(IT_ORDER_SKIP);
}

void padChords(ItPattern& p, Band& band, const Progression& prog, int volume)
{
    for (int bar = 0; bar < BARS_PER_PATTERN; ++bar)
        band.pad.chord(p, bar * ROWS_PER_BAR, parseChord(prog[bar].chord), volume);
}

// ---- the game: A minor, 140 beats a minute, a pulse of eighths ---------------

const Progression GAME_A = {{{"A4 C5 E5", "A2"}, {"A4 C5 F5", "F2"}, {"G4 C5 E5", "C3"}, {"G4 B4 D5", "G2"}}};
const Progression GAME_A2 = {{{"A4 C5 E5", "A2"}, {"A4 C5 F5", "F2"}, {"G4 C5 E5", "C3"}, {"G#4 B4 E5", "E2"}}};
const Progression GAME_B = {{{"A4 D5 F5", "D3"}, {"A4 C5 E5", "A2"}, {"Bb4 D5 F5", "Bb2"}, {"G#4 B4 E5", "E2"}}};
const Progression GAME_B2 = {{{"A4 D5 F5", "D3"}, {"A4 C5 E5", "A2"}, {"A4 C5 F5", "F2"}, {"G#4 B4 E5", "E2"}}};
const Progression GAME_END = {{{"A4 C5 E5", "A2"}, {"A4 C5 F5", "F2"}, {"G4 B4 D5", "G2"}, {"G#4 B4 E5", "E2"}}};

const char* const THEME_A1 =
    "E5:2 A5:2 C6:2 B5:2 A5:4 E5:4  F5:2 A5:2 C6:2 A5:2 G5:4 F5:4 "
    "E5:2 G5:2 C6:2 D6:2 E6:4 D6:2 C6:2  B5:4 D6:4 G5:6 r:2";
const char* const THEME_A2 =
    "A5:3 G5:1 A5:2 C6:2 E6:4 D6:2 C6:2  A5:4 F5:2 A5:2 C6:6 A5:2 "
    "G5:2 E5:2 G5:2 C6:2 B5:2 C6:2 D6:4  B5:4 G#5:4 E5:6 r:2";
const char* const THEME_B1 =
    "D6:6 C6:2 A5:4 F5:4  E5:6 A5:2 C6:4 E6:4 "
    "F6:6 D6:2 Bb5:4 F5:4  E6:4 D6:4 B5:4 G#5:4";
const char* const THEME_B2 =
    "F5:2 A5:2 D6:2 A5:2 F6:4 E6:4  E6:2 C6:2 A5:2 C6:2 E6:8 "
    "F6:4 E6:2 D6:2 C6:4 A5:4  G#5:4 B5:4 E6:6 r:2";

// Root, root, octave, root... with a fifth to lean into the next bar.
void drivingBass(ItPattern& p, Band& band, const Progression& prog)
{
    const int step[8] = {0, 0, 12, 0, 0, 12, 0, 7};
    for (int bar = 0; bar < BARS_PER_PATTERN; ++bar) {
        int root = parseNote(prog[bar].root);
        for (int i = 0; i < 8; ++i) {
            int row = bar * ROWS_PER_BAR + 2 * i;
            band.bass.play(p, row, root + step[i], i % 4 == 0 ? 44 : 38);
        }
    }
}

// Sixteenths up and down the chord, an octave above the pad.
void arpeggio(ItPattern& p, Band& band, const Progression& prog, int volume)
{
    const int order[4] = {0, 1, 2, 1};
    for (int bar = 0; bar < BARS_PER_PATTERN; ++bar) {
        std::vector<int> tones = parseChord(prog[bar].chord);
        for (int i = 0; i < ROWS_PER_BAR; ++i) {
            int note = tones[static_cast<size_t>(order[i % 4]) % tones.size()] + 12;
            band.arp.play(p, bar * ROWS_PER_BAR + i, note, i % 4 == 0 ? volume + 4 : volume);
        }
    }
}

void hats(ItPattern& p, int fromBar, bool sixteenths)
{
    for (int row = fromBar * ROWS_PER_BAR; row < p.rows(); ++row) {
        if (row % 2 == 0)
            hit(p, row, CH_HAT, HAT, C5, row % 4 == 2 ? 28 : 22);
        else if (sixteenths)
            hit(p, row, CH_HAT, HAT, C5, 12);
    }
}

void fourOnTheFloor(ItPattern& p, int fromBar, int toBar, bool snare)
{
    for (int bar = fromBar; bar < toBar; ++bar) {
        int base = bar * ROWS_PER_BAR;
        for (int beat = 0; beat < 4; ++beat)
            hit(p, base + 4 * beat, CH_KICK, KICK, C5, 60);
        if (snare) {
            hit(p, base + 4, CH_SNARE, SNARE, C5, 52);
            hit(p, base + 12, CH_SNARE, SNARE, C5, 52);
        }
        // An open hat lifts the end of every second bar.
        if (bar % 2 == 1)
            hit(p, base + 14, CH_SHAKER, SHAKER, C5, 22);
    }
}

void drumFill(ItPattern& p, int bar)
{
    const int rows[8] = {0, 4, 8, 10, 12, 13, 14, 15};
    int base = bar * ROWS_PER_BAR;
    for (int i = 0; i < 8; ++i)
        hit(p, base + rows[i], CH_SNARE, SNARE, C5, 30 + 3 * i);
    hit(p, base, CH_KICK, KICK, C5, 60);
    hit(p, base + 8, CH_KICK, KICK, C5, 60);
}

enum class Melody { None, Lead, LeadAndBell };

void gamePattern(ItModule& module, Band& band, const Progression& prog, const char* theme, Melody melody, bool arp)
{
    ItPattern& p = newPattern(module, BARS_PER_PATTERN * ROWS_PER_BAR);
    padChords(p, band, prog, 20);
    drivingBass(p, band, prog);
    hats(p, 0, true);
    fourOnTheFloor(p, 0, BARS_PER_PATTERN, true);
    if (arp)
        arpeggio(p, band, prog, 16);
    if (melody != Melody::None)
        band.lead.line(p, 0, theme, 46);
    if (melody == Melody::LeadAndBell)
        band.bell.line(p, 0, theme, 20, -12);
}

} // namespace

void setUpChannels(ItModule& module)
{
    const int pans[CHANNEL_COUNT] = {32, 28, 42, 22, 32, 32, 24, 24, 14, 26, 38, 50,
                                     14, 26, 38, 50, 48, 48, 20, 32, 44, 32, 32, 32};
    module.channelsUsed = CHANNEL_COUNT;
    for (int ch = 0; ch < CHANNEL_COUNT; ++ch) {
        module.channelPan[ch] = pans[ch];
        module.channelVolume[ch] = 64;
    }
}

void composeGame(ItModule& module)
{
    Band band;
    // Intro: the pulse alone, then the arpeggio joins.
    {
        ItPattern& p = newPattern(module, BARS_PER_PATTERN * ROWS_PER_BAR);
        beginPiece(module, GAME_MUSIC_ORDER, p, 140, GAME_LEVEL);
        padChords(p, band, GAME_A, 20);
        drivingBass(p, band, GAME_A);
        hats(p, 0, false);
        fourOnTheFloor(p, 0, BARS_PER_PATTERN, false);
    }
    gamePattern(module, band, GAME_A, nullptr, Melody::None, true);
    gamePattern(module, band, GAME_A, THEME_A1, Melody::Lead, false);
    gamePattern(module, band, GAME_A2, THEME_A2, Melody::Lead, false);
    gamePattern(module, band, GAME_A, THEME_A1, Melody::Lead, true);
    gamePattern(module, band, GAME_A2, THEME_A2, Melody::Lead, true);
    gamePattern(module, band, GAME_B, THEME_B1, Melody::Lead, true);
    gamePattern(module, band, GAME_B2, THEME_B2, Melody::Lead, true);
    gamePattern(module, band, GAME_A, THEME_A1, Melody::LeadAndBell, true);
    gamePattern(module, band, GAME_A2, THEME_A2, Melody::LeadAndBell, true);
    // Breakdown: the kick drops out for two bars.
    {
        ItPattern& p = newPattern(module, BARS_PER_PATTERN * ROWS_PER_BAR);
        padChords(p, band, GAME_A, 22);
        drivingBass(p, band, GAME_A);
        arpeggio(p, band, GAME_A, 18);
        hats(p, 0, false);
        for (int bar = 0; bar < 2; ++bar)
            hit(p, bar * ROWS_PER_BAR + 12, CH_SNARE, SNARE, C5, 36);
        fourOnTheFloor(p, 2, BARS_PER_PATTERN, true);
    }
    // Turnaround onto the dominant, with a fill, and back to the start.
    {
        ItPattern& p = newPattern(module, BARS_PER_PATTERN * ROWS_PER_BAR);
        padChords(p, band, GAME_END, 20);
        drivingBass(p, band, GAME_END);
        arpeggio(p, band, GAME_END, 18);
        hats(p, 0, true);
        fourOnTheFloor(p, 0, BARS_PER_PATTERN - 1, true);
        drumFill(p, BARS_PER_PATTERN - 1);
        endPiece(p, GAME_MUSIC_ORDER, band);
    }
    padTo(module, GAME_OVER_MUSIC_ORDER);
}

// ---- game over: slow, low, a bell over a tolling drum -----------------------

void composeGameOver(ItModule& module)
{
    struct Part {
        const char* chords[2];
        const char* roots[2];
        const char* bell;
    };
    const Part parts[3] = {
        {{"A3 E4 C5", "F3 C4 A4"}, {"A2", "F2"}, "E5:8 D5:4 C5:4 C5:8 A4:8"},
        {{"D4 F4 A4", "E3 B3 G#4"}, {"D3", "E2"}, "F5:8 E5:4 D5:4 B4:8 G#4:8"},
        {{"A3 E4 C5", "A3 E4 C5"}, {"A2", "A2"}, "C5:6 B4:2 A4:16 r:8"},
    };
    Band band;
    for (int i = 0; i < 3; ++i) {
        ItPattern& p = newPattern(module, 2 * ROWS_PER_BAR);
        if (i == 0)
            beginPiece(module, GAME_OVER_MUSIC_ORDER, p, 64, FULL_LEVEL);
        for (int bar = 0; bar < 2; ++bar) {
            int row = bar * ROWS_PER_BAR;
            band.pad.chord(p, row, parseChord(parts[i].chords[bar]), 26);
            band.sub.play(p, row, parseNote(parts[i].roots[bar]), 46);
            // A deep toll: the kick played a fourth lower.
            hit(p, row, CH_KICK, KICK, C5 - 5, 44);
        }
        band.bell.line(p, 0, parts[i].bell, 40);
        if (i == 2)
            endPiece(p, GAME_OVER_MUSIC_ORDER, band);
    }
    padTo(module, MENU_MUSIC_ORDER);
}

// ---- the menus: calm sevenths, a bell and a soft arpeggio -------------------

namespace {

const Progression MENU_A = {{{"A4 C5 E5 G5", "A2"}, {"A4 C5 E5 F5", "F2"}, {"G4 B4 C5 E5", "C3"}, {"G4 B4 D5 E5", "G2"}}};
const Progression MENU_B = {{{"A4 C5 D5 F5", "D3"}, {"G4 B4 D5 E5", "E3"}, {"A4 C5 E5 F5", "F2"}, {"G#4 B4 D5 E5", "E2"}}};

const char* const MENU_M1 =
    "E5:6 D5:2 C5:4 B4:4  A4:8 C5:4 E5:4  G5:6 E5:2 D5:4 C5:4  B4:8 D5:4 G4:4";
const char* const MENU_M2 =
    "C5:4 E5:4 A5:8  A5:4 G5:4 F5:4 E5:4  E5:6 G5:2 C5:8  D5:6 B4:2 G4:8";
const char* const MENU_M3 =
    "F5:6 E5:2 D5:8  E5:4 G5:4 B5:8  A5:6 G5:2 F5:4 E5:4  G#5:8 E5:8";
const char* const MENU_CLOSE =
    "C5:4 E5:4 A5:8  A5:4 G5:4 F5:4 E5:4  E5:6 G5:2 C5:8  B4:8 r:8";

void menuPattern(ItModule& module, Band& band, const Progression& prog, bool shaker)
{
    ItPattern& p = newPattern(module, BARS_PER_PATTERN * ROWS_PER_BAR);
    padChords(p, band, prog, 22);
    const int arpOrder[8] = {0, 1, 2, 3, 1, 2, 3, 2};
    for (int bar = 0; bar < BARS_PER_PATTERN; ++bar) {
        int base = bar * ROWS_PER_BAR;
        int root = parseNote(prog[bar].root);
        band.sub.play(p, base, root, 36);
        band.sub.play(p, base + 10, root + 7, 26);
        std::vector<int> tones = parseChord(prog[bar].chord);
        for (int i = 0; i < 8; ++i)
            band.arp.play(p, base + 2 * i, tones[static_cast<size_t>(arpOrder[i]) % tones.size()] + 12, i == 0 ? 20 : 16);
        if (shaker) {
            hit(p, base + 4, CH_SHAKER, SHAKER, C5, 14);
            hit(p, base + 12, CH_SHAKER, SHAKER, C5, 14);
        }
    }
}

} // namespace

void composeMenu(ItModule& module)
{
    Band band;
    menuPattern(module, band, MENU_A, false);
    beginPiece(module, MENU_MUSIC_ORDER, module.patterns.back(), 84, FULL_LEVEL);
    menuPattern(module, band, MENU_A, false);
    band.bell.line(module.patterns.back(), 0, MENU_M1, 40);
    menuPattern(module, band, MENU_A, false);
    band.bell.line(module.patterns.back(), 0, MENU_M2, 40);
    menuPattern(module, band, MENU_B, true);
    band.bell.line(module.patterns.back(), 0, MENU_M3, 40);
    menuPattern(module, band, MENU_A, true);
    band.lead.line(module.patterns.back(), 0, MENU_M1, 30, 12);
    menuPattern(module, band, MENU_A, true);
    band.lead.release(module.patterns.back(), 0);
    band.bell.line(module.patterns.back(), 0, MENU_CLOSE, 40);
    endPiece(module.patterns.back(), MENU_MUSIC_ORDER, band);
}
