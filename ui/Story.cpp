#include "ui/Story.h"

#include <allegro.h>
#include <cmath>
#include <fstream>

#include "input/Controls.h"
#include "files/FileSave.h"
#include "frame/Resources.h"

namespace {

constexpr int TEXT_CENTRE_X = 160;

// Lines are brightest in the middle of the window and fade to nothing at its
// top and bottom edges.
constexpr float FADE_CENTRE = 155.0f;
constexpr float FADE_HALF_WIDTH = 75.0f;
constexpr float FADE_SCALE = 1.0f / FADE_HALF_WIDTH;
constexpr float TEXT_HUE = 45.0f;
constexpr float TEXT_SATURATION = 0.3f;

const char* const CLOSING_MESSAGE = "Press enter to continue...";

// The next byte, or EOF at the end of the file and also when reading fails
// (a directory opens as a file but cannot be read); unlike the stream
// functions, the buffer's own calls report such a failure by throwing.
int nextByte(std::streambuf& in)
{
    try {
        return in.sbumpc();
    } catch (const std::ios_base::failure&) {
        return std::char_traits<char>::eof();
    }
}

// Reads up to the next newline like std::getline, keeping at most
// Story::MAX_LINE_LENGTH characters; the rest of a longer line is skipped.
// Fails, like getline, only when it finds nothing at all to read. Each byte
// taken counts against budget, and an empty budget reads like the end of the
// file, so one endless line cannot hold up start-up.
bool readLine(std::streambuf& in, size_t& budget, std::string& line)
{
    bool extracted = false;
    while (budget > 0) {
        const int c = nextByte(in);
        if (c == std::char_traits<char>::eof())
            break;
        budget--;
        extracted = true;
        if (c == '\n')
            break;
        if (line.size() < Story::MAX_LINE_LENGTH)
            line.push_back(static_cast<char>(c));
    }
    // A file written with CR LF line ends reads like one with LF alone.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return extracted;
}

} // namespace

Story::Story(const char* fileName) { readLines(fileName); }

Story::~Story() = default;

int Story::getResult() { return result; }

bool Story::logic()
{
    scrollY += scrollSpeed;
    if (controls.held(Action::Down))
        scrollSpeed = -FAST_SPEED;
    else if (controls.held(Action::Up))
        scrollSpeed = FAST_SPEED;
    else
        scrollSpeed = DRIFT_SPEED;
    if (actionPressed(Action::Choose))
        return true;
    return GameScreen::logic();
}

void Story::draw(BITMAP* target)
{
    if (backBitmap)
        blit(backBitmap, target, 0, 0, 0, 0, target->w, target->h);
    rectfill(target, WINDOW_LEFT, WINDOW_TOP, WINDOW_RIGHT, WINDOW_BOTTOM, makecol(8, 32, 24));
    rect(target, WINDOW_LEFT, WINDOW_TOP, WINDOW_RIGHT, WINDOW_BOTTOM, makecol(0, 0, 0));
    // Until the last line has risen a full line above the window, the text is
    // still passing; only then does the closing message take its place.
    if (WINDOW_TOP - scrollY < static_cast<float>(LINE_SPACING * lines.size()))
        drawLines(target);
    else
        drawClosingMessage(target);
}

Error Story::start()
{
    scrollY = START_Y;
    scrollSpeed = START_SPEED;
    return GameScreen::start();
}

void Story::readLines(const char* fileName)
{
    // A FIFO would hold up start-up and a device never ends: no story then.
    if (!isRegularFile(fileName))
        return;
    std::ifstream in(fileName);
    if (!in)
        return;
    size_t budget = MAX_BYTES;
    // The read that meets the end of the file is kept too, so a file always
    // ends with one empty line: a blank line's pause before the message.
    while (lines.size() < MAX_LINES) {
        std::string line;
        const bool more = readLine(*in.rdbuf(), budget, line);
        lines.push_back(std::move(line));
        if (!more)
            break;
    }
}

void Story::drawLines(BITMAP* target)
{
    // The caller's clip is put back afterwards; in the game it is the whole
    // picture.
    int oldLeft, oldTop, oldRight, oldBottom;
    get_clip_rect(target, &oldLeft, &oldTop, &oldRight, &oldBottom);
    set_clip_rect(target, WINDOW_LEFT, WINDOW_TOP, WINDOW_RIGHT, WINDOW_BOTTOM);
    for (size_t i = 0; i < lines.size(); i++) {
        const float y = scrollY + static_cast<float>(LINE_SPACING * i);
        if (y <= WINDOW_TOP || y >= WINDOW_BOTTOM)
            continue;
        int r, g, b;
        hsv_to_rgb(TEXT_HUE, TEXT_SATURATION, 1.0f - std::fabs(y - FADE_CENTRE) * FADE_SCALE, &r, &g, &b);
        textout_centre_ex(target, font, lines[i].c_str(), TEXT_CENTRE_X, static_cast<int>(y), makecol(r, g, b), -1);
    }
    set_clip_rect(target, oldLeft, oldTop, oldRight, oldBottom);
}

void Story::drawClosingMessage(BITMAP* target)
{
    int r, g, b;
    hsv_to_rgb(TEXT_HUE, TEXT_SATURATION, 1.0f, &r, &g, &b);
    textout_centre_ex(target, font, CLOSING_MESSAGE, TEXT_CENTRE_X, static_cast<int>(FADE_CENTRE), makecol(r, g, b), -1);
}
