#pragma once

#include <string>
#include <vector>

#include "frame/GameScreen.h"

struct BITMAP;

// The background story, read once from a text file at start-up and scrolled
// upwards through a dark window, each line fading in at the bottom and out at
// the top. Down speeds it up, Up runs it back; Enter or Escape leaves.
// The layout is in fixed pixels of the game's picture (PictureSize.h).
class Story : public GameScreen {
public:
    // A story file is the game's own short text; these bounds only keep a
    // wrong or damaged file from making start-up slow or memory-hungry.
    // Longer lines are cut (the window clips them far earlier anyway), and
    // reading stops after MAX_BYTES, the most that MAX_LINES full lines with
    // CR LF ends can take, so the rest of an endless line is never read.
    static constexpr size_t MAX_LINE_LENGTH = 1024;
    static constexpr size_t MAX_LINES = 10000;
    static constexpr size_t MAX_BYTES = MAX_LINES * (MAX_LINE_LENGTH + 2);

    static constexpr float START_Y = 230.0f;
    static constexpr float START_SPEED = -0.25f;
    static constexpr float DRIFT_SPEED = -0.15f;
    static constexpr float FAST_SPEED = 4.0f;
    static constexpr int LINE_SPACING = 20;
    // The text window, both corners inclusive.
    static constexpr int WINDOW_LEFT = 10;
    static constexpr int WINDOW_TOP = 80;
    static constexpr int WINDOW_RIGHT = 310;
    static constexpr int WINDOW_BOTTOM = 230;

    explicit Story(const char* fileName = "story");
    ~Story() override;

    int getResult() override;
    bool logic() override;
    void draw(BITMAP* target) override;
    Error start() override;

    std::vector<std::string> lines;
    float scrollY = START_Y;
    float scrollSpeed = START_SPEED;

private:
    void readLines(const char* fileName);
    void drawLines(BITMAP* target);
    void drawClosingMessage(BITMAP* target);
};
