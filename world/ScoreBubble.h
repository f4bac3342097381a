#pragma once

#include <memory>

#include "world/Object.h"

// A short text that rises from where something was earned or suffered and
// fades from yellow to black. The play screen makes one per event and
// deletes it once life has dropped below 1.
class ScoreBubble : public Object {
public:
    static constexpr int LIFE = 180;
    static constexpr float RISE = -2.0f;
    static constexpr float CEILING = -1000.0f;  // may rise above the top of the world
    static constexpr float HUE = 55.0f;
    static constexpr float VALUE_PER_LIFE = 1.0f / LIFE;

    // Keeps its own copy of text (in the library's current text encoding); a
    // null text is kept as an empty one.
    ScoreBubble(float x, float y, const char* text);

    void update() override;
    // Text with a black shadow one pixel right and down, its top-left corner
    // at the bubble's screen point.
    void draw(BITMAP* target, const Camera& camera) override;

    std::unique_ptr<char[]> text;
    int life;
};
