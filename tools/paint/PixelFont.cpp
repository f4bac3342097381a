#include "paint/PixelFont.h"

#include <allegro.h>
#include <cstdio>
#include <sstream>

namespace {

constexpr int GLYPHS_PER_ROW = 16;

// Each glyph as its rows from the top, separated by spaces: '#' is ink.
// Capitals and digits stand 7 rows high on the baseline (row 6); lower case
// has a 5-row x-height and 2 rows of descender below the baseline.
const char* const GLYPH_ROWS[PixelFont::LAST - PixelFont::FIRST + 1] = {
    /* ' ' */ "...",
    /* '!' */ "# # # # # . #",
    /* '"' */ "#.# #.#",
    /* '#' */ ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#.",
    /* '$' */ "..#.. .#### #.#.. .###. ..#.# ####. ..#..",
    /* '%' */ "##..# ##..# ...#. ..#.. .#... #..## #..##",
    /* '&' */ ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#",
    /* ''' */ "# #",
    /* '(' */ "..# .#. #.. #.. #.. .#. ..#",
    /* ')' */ "#.. .#. ..# ..# ..# .#. #..",
    /* '*' */ "..... ..#.. #.#.# .###. #.#.# ..#..",
    /* '+' */ "..... ..#.. ..#.. ##### ..#.. ..#..",
    /* ',' */ ".. .. .. .. .. .# .# #.",
    /* '-' */ ".... .... .... ####",
    /* '.' */ ". . . . . . #",
    /* '/' */ "....# ...#. ...#. ..#.. .#... .#... #....",
    /* '0' */ ".###. #...# #..## #.#.# ##..# #...# .###.",
    /* '1' */ "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.",
    /* '2' */ ".###. #...# ....# ...#. ..#.. .#... #####",
    /* '3' */ ".###. #...# ....# ..##. ....# #...# .###.",
    /* '4' */ "...#. ..##. .#.#. #..#. ##### ...#. ...#.",
    /* '5' */ "##### #.... ####. ....# ....# #...# .###.",
    /* '6' */ "..##. .#... #.... ####. #...# #...# .###.",
    /* '7' */ "##### ....# ...#. ..#.. .#... .#... .#...",
    /* '8' */ ".###. #...# #...# .###. #...# #...# .###.",
    /* '9' */ ".###. #...# #...# .#### ....# ...#. .##..",
    /* ':' */ ". . # . . # .",
    /* ';' */ ".. .. .# .. .. .# .# #.",
    /* '<' */ "...# ..#. .#.. #... .#.. ..#. ...#",
    /* '=' */ ".... .... #### .... ####",
    /* '>' */ "#... .#.. ..#. ...# ..#. .#.. #...",
    /* '?' */ ".###. #...# ....# ...#. ..#.. ..... ..#..",
    /* '@' */ ".###. #...# #.### #.#.# #.### #.... .###.",
    /* 'A' */ ".###. #...# #...# ##### #...# #...# #...#",
    /* 'B' */ "####. #...# #...# ####. #...# #...# ####.",
    /* 'C' */ ".###. #...# #.... #.... #.... #...# .###.",
    /* 'D' */ "####. #...# #...# #...# #...# #...# ####.",
    /* 'E' */ "##### #.... #.... ####. #.... #.... #####",
    /* 'F' */ "##### #.... #.... ####. #.... #.... #....",
    /* 'G' */ ".###. #...# #.... #.### #...# #...# .####",
    /* 'H' */ "#...# #...# #...# ##### #...# #...# #...#",
    /* 'I' */ "### .#. .#. .#. .#. .#. ###",
    /* 'J' */ "....# ....# ....# ....# #...# #...# .###.",
    /* 'K' */ "#...# #..#. #.#.. ##... #.#.. #..#. #...#",
    /* 'L' */ "#.... #.... #.... #.... #.... #.... #####",
    /* 'M' */ "#...# ##.## #.#.# #.#.# #...# #...# #...#",
    /* 'N' */ "#...# #...# ##..# #.#.# #..## #...# #...#",
    /* 'O' */ ".###. #...# #...# #...# #...# #...# .###.",
    /* 'P' */ "####. #...# #...# ####. #.... #.... #....",
    /* 'Q' */ ".###. #...# #...# #...# #.#.# #..#. .##.#",
    /* 'R' */ "####. #...# #...# ####. #.#.. #..#. #...#",
    /* 'S' */ ".###. #...# #.... .###. ....# #...# .###.",
    /* 'T' */ "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    /* 'U' */ "#...# #...# #...# #...# #...# #...# .###.",
    /* 'V' */ "#...# #...# #...# #...# .#.#. .#.#. ..#..",
    /* 'W' */ "#...# #...# #...# #.#.# #.#.# ##.## #...#",
    /* 'X' */ "#...# #...# .#.#. ..#.. .#.#. #...# #...#",
    /* 'Y' */ "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#..",
    /* 'Z' */ "##### ....# ...#. ..#.. .#... #.... #####",
    /* '[' */ "### #.. #.. #.. #.. #.. ###",
    /* '\' */ "#.... .#... .#... ..#.. ...#. ...#. ....#",
    /* ']' */ "### ..# ..# ..# ..# ..# ###",
    /* '^' */ "..#.. .#.#. #...#",
    /* '_' */ ".... .... .... .... .... .... ####",
    /* '`' */ "#. .#",
    /* 'a' */ "..... ..... .###. ....# .#### #...# .####",
    /* 'b' */ "#.... #.... ####. #...# #...# #...# ####.",
    /* 'c' */ ".... .... .### #... #... #... .###",
    /* 'd' */ "....# ....# .#### #...# #...# #...# .####",
    /* 'e' */ "..... ..... .###. #...# ##### #.... .###.",
    /* 'f' */ "..## .#.. #### .#.. .#.. .#.. .#..",
    /* 'g' */ "..... ..... .#### #...# #...# #...# .#### ....# .###.",
    /* 'h' */ "#.... #.... ####. #...# #...# #...# #...#",
    /* 'i' */ "# . # # # # #",
    /* 'j' */ "..# ... ..# ..# ..# ..# ..# #.# .#.",
    /* 'k' */ "#... #... #..# #.#. ##.. #.#. #..#",
    /* 'l' */ "#. #. #. #. #. #. .#",
    /* 'm' */ "..... ..... ##.#. #.#.# #.#.# #.#.# #.#.#",
    /* 'n' */ "..... ..... ####. #...# #...# #...# #...#",
    /* 'o' */ "..... ..... .###. #...# #...# #...# .###.",
    /* 'p' */ "..... ..... ####. #...# #...# #...# ####. #.... #....",
    /* 'q' */ "..... ..... .#### #...# #...# #...# .#### ....# ....#",
    /* 'r' */ ".... .... #.## ##.. #... #... #...",
    /* 's' */ "..... ..... .#### #.... .###. ....# ####.",
    /* 't' */ ".#.. .#.. #### .#.. .#.. .#.. ..##",
    /* 'u' */ "..... ..... #...# #...# #...# #...# .####",
    /* 'v' */ "..... ..... #...# #...# #...# .#.#. ..#..",
    /* 'w' */ "..... ..... #...# #...# #.#.# #.#.# .#.#.",
    /* 'x' */ "..... ..... #...# .#.#. ..#.. .#.#. #...#",
    /* 'y' */ "..... ..... #...# #...# #...# #...# .#### ....# .###.",
    /* 'z' */ "..... ..... ##### ...#. ..#.. .#... #####",
    /* '{' */ "..## .#.. .#.. #... .#.. .#.. ..##",
    /* '|' */ "# # # # # # #",
    /* '}' */ "##.. ..#. ..#. ...# ..#. ..#. ##..",
    /* '~' */ "..... ..... .#... #.#.# ...#.",
    /* 127 */ ".... #### #### #### #### #### ####",
};

} // namespace

PixelFont::PixelFont()
{
    for (const char* source : GLYPH_ROWS) {
        Glyph glyph;
        std::istringstream rows(source);
        std::string row;
        while (rows >> row) {
            // Every glyph carries one blank column on its right as spacing.
            if (!glyph.rows.empty() && static_cast<int>(row.size()) + 1 != glyph.width)
                malformed = FIRST + static_cast<int>(glyphs.size());
            glyph.rows.push_back(row + ".");
            glyph.width = static_cast<int>(row.size()) + 1;
        }
        if (glyph.rows.size() > GLYPH_HEIGHT)
            malformed = FIRST + static_cast<int>(glyphs.size());
        glyph.rows.resize(GLYPH_HEIGHT, std::string(glyph.width, '.'));
        glyphs.push_back(glyph);
    }
}

const PixelFont::Glyph& PixelFont::glyph(int code) const
{
    if (code < FIRST || code > LAST)
        code = '?';
    return glyphs[code - FIRST];
}

int PixelFont::width(int code) const { return glyph(code).width; }

bool PixelFont::ink(int code, int x, int y) const
{
    const Glyph& g = glyph(code);
    if (x < 0 || y < 0 || x >= g.width || y >= GLYPH_HEIGHT)
        return false;
    return g.rows[y][x] == '#';
}

bool PixelFont::writeGrid(const std::string& path) const
{
    if (malformed) {
        std::fprintf(stderr, "wispen_paint: glyph %d has rows of different widths\n", malformed);
        return false;
    }
    // Each row of cells has its own top and bottom border and a blank line
    // below it, so cells of different widths never share a corner.
    const int rowCount = (LAST - FIRST + GLYPHS_PER_ROW) / GLYPHS_PER_ROW;
    int gridWidth = 0;
    for (int row = 0; row < rowCount; row++) {
        int x = 0;
        for (int i = 0; i < GLYPHS_PER_ROW; i++) {
            int code = FIRST + row * GLYPHS_PER_ROW + i;
            if (code <= LAST)
                x += width(code) + 1;
        }
        gridWidth = std::max(gridWidth, x + 1);
    }
    const int rowPitch = GLYPH_HEIGHT + 3;
    BITMAP* grid = create_bitmap_ex(8, gridWidth, rowCount * rowPitch);
    clear_to_color(grid, 0);
    for (int row = 0; row < rowCount; row++) {
        int top = row * rowPitch;
        int x = 0;
        for (int i = 0; i < GLYPHS_PER_ROW; i++) {
            int code = FIRST + row * GLYPHS_PER_ROW + i;
            if (code > LAST)
                break;
            int w = width(code);
            rect(grid, x, top, x + w + 1, top + GLYPH_HEIGHT + 1, 255);
            for (int gy = 0; gy < GLYPH_HEIGHT; gy++)
                for (int gx = 0; gx < w; gx++)
                    if (ink(code, gx, gy))
                        putpixel(grid, x + 1 + gx, top + 1 + gy, 1);
            x += w + 1;
        }
    }
    PALETTE palette;
    for (int i = 0; i < PAL_SIZE; i++)
        palette[i] = RGB{0, 0, 0, 0};
    palette[1] = RGB{63, 63, 63, 0};
    palette[255] = RGB{63, 63, 0, 0};
    bool ok = save_bitmap(path.c_str(), grid, palette) == 0;
    destroy_bitmap(grid);
    return ok;
}
