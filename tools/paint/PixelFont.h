#pragma once

#include <string>
#include <vector>

// The game's own pixel font: one glyph for every code from 32 to 127, all
// GLYPH_HEIGHT rows high and of their own width (one blank column of spacing
// included). Code 127 is a filled bar segment as wide as "_", so the volume
// bars of the options menu keep their length whatever the value.
class PixelFont {
public:
    static constexpr int FIRST = 32;
    static constexpr int LAST = 127;
    static constexpr int GLYPH_HEIGHT = 9;

    PixelFont();

    // Advance of a glyph in pixels, spacing column included.
    int width(int code) const;
    bool ink(int code, int x, int y) const;

    // Writes the grid picture the datafile tool turns into a mono font: an
    // 8-bit image where index 255 draws the cell borders, 1 the glyph pixels
    // and 0 the transparent rest, cells in code order from 32.
    bool writeGrid(const std::string& path) const;

private:
    struct Glyph {
        int width = 0;
        std::vector<std::string> rows;
    };
    const Glyph& glyph(int code) const;
    std::vector<Glyph> glyphs;
    int malformed = 0;  // code of a glyph whose rows disagree, if any
};
