#pragma once

#include <string>
#include <vector>

#include "paint/Geometry.h"

// The letters of the game's title as pen strokes, so the title can be painted
// at any size with smooth, glowing lines. Only the letters of "the WISPEN"
// are designed: capitals one unit high, lower case "the" with a 0.6-unit
// x-height, y pointing down from the top of the capitals.
class TitleLettering {
public:
    // Lays out `text` from (x, y) at `height` pixels per unit, leaning
    // `slant` pixels right per pixel up; returns the strokes in pixels.
    static std::vector<std::vector<Point>> layout(const std::string& text, float x, float y, float height,
                                                  float slant);

    // Width of `text` in units, spacing included.
    static float width(const std::string& text);

private:
    struct Letter {
        float width;
        std::vector<std::vector<Point>> strokes;
    };
    static Letter letter(char c);
};
