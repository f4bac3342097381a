#pragma once

struct BITMAP;

// x is the text's left edge or its centre.
enum class TextAlign { Left, Centre };

// Text the way the game writes over its pictures: the shadow one pixel right
// and down first, then the text in its colour on top. The shadow is black
// unless the caller gives its own.
void shadowedText(BITMAP* target, const char* text, int x, int y, int colour, TextAlign align = TextAlign::Left);
void shadowedText(BITMAP* target, const char* text, int x, int y, int colour, int shadow, TextAlign align);
