#pragma once

#include <cstdint>
#include <string>

#include "frame/GameScreen.h"

struct BITMAP;

// A yes/no question in a translucent box over the picture the previous screen
// left behind. The application sets each prompt up once and maps its two
// result codes to the next screen. Enter answers yes and Escape answers no.
class Prompt : public GameScreen {
public:
    Prompt();
    ~Prompt() override;

    int getResult() override;
    bool logic() override;
    void draw(BITMAP* target) override;

    void setup(const char* question, const char* choices, int yesKey, int noKey, int yesResult,
               int noResult);

    std::string question;
    std::string choices;
    int8_t yesKey = 0;
    int8_t noKey = 0;
    int32_t yesResult = 0;
    int32_t noResult = 0;
    int32_t answer = 0;

private:
    // An answer key outside the keyboard's range never counts as pressed.
    bool answerKeyPressed(int scancode) const;
    void drawBox(BITMAP* target, int x, int y, int width, int height);
    void drawLine(BITMAP* target, const std::string& line, int y, int colour);

    // Kept between frames; made again when the lines change its size.
    BITMAP* box = nullptr;
};
