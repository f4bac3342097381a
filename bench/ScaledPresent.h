#pragma once

#include "settings/PictureSize.h"

struct BITMAP;

// What the double buffer does with a drawn frame, without a display: the
// frame enlarged by a whole factor and copied into a display-sized
// memory bitmap with a border around it, as the game presents a scaled picture.
class ScaledPresent {
public:
    static constexpr int FRAME_W = PICTURE_W;
    static constexpr int FRAME_H = PICTURE_H;

    explicit ScaledPresent(int scale);
    ~ScaledPresent();
    ScaledPresent(const ScaledPresent&) = delete;
    ScaledPresent& operator=(const ScaledPresent&) = delete;

    // What a screen draws onto.
    BITMAP* frame() const { return frameBitmap; }
    void present();

private:
    int scale;
    BITMAP* frameBitmap;
    BITMAP* enlarged;  // none at 1x: the frame goes to the display as it is
    BITMAP* display;
};
