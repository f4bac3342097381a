#include "ui/Prompt.h"

#include <allegro.h>

#include "desktop/Dispose.h"
#include "frame/ShadowedText.h"
#include "ui/FramedPanel.h"
#include "ui/MenuItem.h"

namespace {

// The box is laid down again every frame over the retained picture, so a
// prompt left open slowly tints the frame towards the box colour.
constexpr int BOX_ALPHA = 32;
constexpr int BOX_MARGIN = 30;

} // namespace

Prompt::Prompt() = default;

Prompt::~Prompt() { dispose(box, destroy_bitmap); }

int Prompt::getResult() { return answer; }

bool Prompt::logic()
{
    if (answerKeyPressed(yesKey)) {
        answer = yesResult;
        return true;
    }
    if (answerKeyPressed(noKey)) {
        answer = noResult;
        return true;
    }
    if (actionPressed(Action::Choose)) {
        answer = yesResult;
        return true;
    }
    answer = noResult;
    return GameScreen::logic();
}

void Prompt::draw(BITMAP* target)
{
    const int questionWidth = text_length(font, question.c_str());
    const int choicesWidth = text_length(font, choices.c_str());
    const int widest = questionWidth > choicesWidth ? questionWidth : choicesWidth;
    const int lineHeight = text_height(font);
    const int width = widest + BOX_MARGIN;
    const int height = (7 * lineHeight) / 2;
    // Centred on the target: the frame, which the display may show enlarged.
    const int x = (target->w - width) / 2;
    const int y = (target->h - height) / 2;
    drawBox(target, x, y, width, height);
    drawLine(target, question, y + lineHeight / 2, MenuItem::restingColour());
    drawLine(target, choices, y + 2 * lineHeight, makecol(240, 220, 128));
}

void Prompt::setup(const char* question, const char* choices, int yesKey, int noKey, int yesResult,
                   int noResult)
{
    this->question = question ? question : "";
    this->choices = choices ? choices : "";
    this->yesKey = static_cast<int8_t>(yesKey);
    this->noKey = static_cast<int8_t>(noKey);
    this->yesResult = yesResult;
    this->noResult = noResult;
    answer = result;
}

bool Prompt::answerKeyPressed(int scancode) const
{
    // Before setup both keys are 0, which no key ever reports.
    return scancode > 0 && scancode < KEY_MAX && keyPressed(scancode);
}

void Prompt::drawBox(BITMAP* target, int x, int y, int width, int height)
{
    // Without memory for the box the frame shows the two lines alone.
    if (!framedPanel(box, width, height, makecol(32, 64, 48)))
        return;
    set_trans_blender(0, 0, 0, BOX_ALPHA);
    draw_trans_sprite(target, box, x, y);
}

void Prompt::drawLine(BITMAP* target, const std::string& line, int y, int colour)
{
    shadowedText(target, line.c_str(), target->w / 2, y, colour, TextAlign::Centre);
}
