#pragma once

// The picture every screen draws, in pixels: the size of the backdrop, the
// play screen's view of the world and the layout of the menus and the
// heads-up display. The display may show it enlarged; the settings' w and h
// start from it.
constexpr int PICTURE_W = 320;
constexpr int PICTURE_H = 240;
