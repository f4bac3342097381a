#pragma once

struct BITMAP;

// The box a menu or a question is drawn on: a filled rectangle in a black
// one-pixel frame, kept in cache from frame to frame and made again only when
// another size is asked for. Null when the bitmap cannot be made: the frame
// then goes without it.
BITMAP* framedPanel(BITMAP*& cache, int width, int height, int fill);
