#pragma once

#include "paint/Image.h"
#include "settings/PictureSize.h"

// Paints the backdrop, the size of the picture, behind every menu and the story: a night sky
// over a misty graveyard, ghosts drifting at the sides, and the title
// "the WISPEN" in glowing strokes along the top, where no menu panel covers it.
class BackdropPainter {
public:
    static constexpr int WIDTH = PICTURE_W;
    static constexpr int HEIGHT = PICTURE_H;

    Image paint() const;

private:
    void paintLand(Image& image) const;
    void paintGhosts(Image& image) const;
    void paintTitle(Image& image) const;
};
