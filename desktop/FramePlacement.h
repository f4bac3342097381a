#pragma once

// Where the game's frame appears on the display. Every screen draws at the
// frame's logical size (the w and h settings) whatever the graphics mode; on
// a larger display the frame is enlarged by a whole factor, with hard pixel
// edges, and centred with black around it. Start-up picks the mode from these
// rules and the screen-update strategies present through them.
struct FramePlacement {
    int scale = 1;
    int x = 0;  // top-left corner of the enlarged frame on the display
    int y = 0;

    bool operator==(const FramePlacement& other) const
    {
        return scale == other.scale && x == other.x && y == other.y;
    }
};

// The largest whole factor by which a w by h frame fits into areaW by areaH;
// 1 when not even the frame itself fits.
int fittingScale(int w, int h, int areaW, int areaH);

// The factor the scale setting asks for, given the largest that fits: a
// wanted factor is reduced to that; 0, the automatic choice, and every other
// value below 1 take it as it is.
int chosenScale(int scale, int fitting);

// The placement of a w by h frame on a screenW by screenH display.
FramePlacement placeFrame(int scale, int w, int h, int screenW, int screenH);

// The placement for the graphics mode in use and the settings.
FramePlacement currentFramePlacement();

// True when the display is exactly the frame's size, so a frame drawn
// straight onto a screen-sized bitmap is the picture as it is meant.
bool displayIsFrameSized();
