#pragma once

#include "paint/Image.h"

// Paints the 320x240 backdrop behind every menu and the story: a night sky
// over a misty graveyard, ghosts drifting at the sides, and the title
// "the WISPEN" in glowing strokes along the top, where no menu panel covers it.
class BackdropPainter {
public:
    static constexpr int WIDTH = 320;
    static constexpr int HEIGHT = 240;

    Image paint() const;

private:
    void paintLand(Image& image) const;
    void paintGhosts(Image& image) const;
    void paintTitle(Image& image) const;
};
