// Fuzzes the story file: whatever bytes lie on disk as the story, the screen
// reads a bounded number of bounded lines, scrolls and draws them inside its
// window only, and leaves when Enter goes down.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "frame/Resources.h"
#include "ui/Story.h"

namespace {

constexpr int PICTURE_W = 320;
constexpr int PICTURE_H = 240;
// The window's border, both corners inclusive; nothing is drawn outside it but
// the background.
constexpr int WINDOW_LEFT = 10;
constexpr int WINDOW_TOP = 80;
constexpr int WINDOW_RIGHT = 310;
constexpr int WINDOW_BOTTOM = 230;
constexpr int MESSAGE_TOP = 155;
constexpr int TICKS_PER_KEY = 6;

BITMAP* target = nullptr;

void releaseKeys()
{
    for (int i = 0; i < KEY_MAX; i++)
        key[i] = 0;
}

void checkLines(const Story& story, const std::uint8_t* data, std::size_t size)
{
    const std::size_t newlines = static_cast<std::size_t>(std::count(data, data + size, '\n'));
    const bool unterminated = size > 0 && data[size - 1] != '\n';
    // Every newline ends a line, so does the end of the file, and the read
    // that meets the end adds one empty line more.
    const std::size_t expected = newlines + (unterminated ? 1 : 0) + 1;
    fuzz::check(story.lines.size() == std::min(expected, Story::MAX_LINES),
                "one entry per line and a final empty one, up to the bound");
    for (const std::string& line : story.lines) {
        fuzz::check(line.size() <= Story::MAX_LINE_LENGTH, "a line is cut to the bound");
        fuzz::check(line.find('\n') == std::string::npos, "no newline is stored");
    }
}

bool sameRow(int y)
{
    return std::memcmp(target->line[y], backBitmap->line[y], PICTURE_W * sizeof(std::uint32_t)) == 0;
}

bool samePixel(int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(target->line[y])[x]
        == reinterpret_cast<const std::uint32_t*>(backBitmap->line[y])[x];
}

// The frame outside the window is the background picture and nothing else,
// and the clip is the whole picture again. The rows and columns next to the
// border are compared directly: a line escaping the clip crosses one of them.
void checkFrame()
{
    fuzz::check(sameRow(WINDOW_TOP - 1), "nothing is drawn above the window");
    fuzz::check(sameRow(WINDOW_BOTTOM + 1), "nothing is drawn below the window");
    for (int y = WINDOW_TOP; y <= WINDOW_BOTTOM; y++) {
        fuzz::check(samePixel(WINDOW_LEFT - 1, y), "nothing is drawn left of the window");
        fuzz::check(samePixel(WINDOW_RIGHT + 1, y), "nothing is drawn right of the window");
    }
    int left, top, right, bottom;
    get_clip_rect(target, &left, &top, &right, &bottom);
    fuzz::check(left == 0 && top == 0 && right == PICTURE_W - 1 && bottom == PICTURE_H - 1,
                "the clip is the whole picture after drawing");
}

// Its row in the window holds something besides the window's fill.
bool showsClosingMessage()
{
    const int fill = makecol(8, 32, 24);
    for (int y = MESSAGE_TOP; y < MESSAGE_TOP + text_height(font); y++)
        for (int x = WINDOW_LEFT + 1; x < WINDOW_RIGHT; x++)
            if (getpixel(target, x, y) != fill)
                return true;
    return false;
}

void drawAt(Story& story, float scrollY)
{
    story.scrollY = scrollY;
    story.draw(target);
    checkFrame();
}

void scrollWithKey(Story& story, int scancode)
{
    releaseKeys();
    if (scancode)
        key[scancode] = 1;
    for (int i = 0; i < TICKS_PER_KEY; i++)
        fuzz::check(!story.logic(), "only Enter or Escape leaves the story");
    releaseKeys();
    story.draw(target);
    checkFrame();
}

void exercise(Story& story)
{
    fuzz::check(story.start().code == NoError, "the story starts");
    scrollWithKey(story, 0);
    scrollWithKey(story, KEY_DOWN);
    scrollWithKey(story, KEY_UP);

    // The first, a middle and the last line in the middle of the window, then
    // the whole text risen past it, where the closing message shows.
    const float middle = 155.0f;
    const float spacing = static_cast<float>(Story::LINE_SPACING);
    const float count = static_cast<float>(story.lines.size());
    drawAt(story, middle);
    drawAt(story, middle - spacing * (count / 2.0f));
    drawAt(story, middle - spacing * (count - 1.0f));
    drawAt(story, static_cast<float>(WINDOW_TOP) - spacing * count - 1.0f);
    fuzz::check(showsClosingMessage(), "the closing message shows once the text has passed");

    key[KEY_ENTER] = 1;
    fuzz::check(story.logic(), "Enter leaves the story");
    releaseKeys();
}

void writeSeeds(const std::string& dir)
{
    fuzz::writeFile(dir + "/story", "Long ago the wisps\nwandered the dark.\n\nThen one woke.\n");
    fuzz::writeFile(dir + "/crlf", "Line one\r\nLine two\r\n");
    fuzz::writeFile(dir + "/unterminated", "no newline at the end");
    fuzz::writeFile(dir + "/empty", "");
    const char binary[] = "\x00\x01\x7f\x80\xff\n\xc3\xa9\xe2\x82\n\xf0\x9f\x98\r\xff";
    fuzz::writeFile(dir + "/binary", binary, sizeof binary - 1);
    fuzz::writeFile(dir + "/longline", std::string(Story::MAX_LINE_LENGTH + 200, 'W') + "\n\r\n");
    std::string many;
    for (std::size_t i = 0; i < Story::MAX_LINES + 20; i++)
        many += (i % 7 ? "x\n" : "\n");
    fuzz::writeFile(dir + "/manylines", many);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startLibrary();
    if (const char* seeds = fuzz::seedDirectory()) {
        writeSeeds(seeds);
        std::exit(0);
    }
    // The background is one colour that no text is drawn in, so anything
    // drawn outside the window shows.
    backBitmap = create_bitmap(PICTURE_W, PICTURE_H);
    target = create_bitmap(PICTURE_W, PICTURE_H);
    fuzz::check(backBitmap && target, "the pictures are made");
    fuzz::check(bitmap_color_depth(target) == 32, "the pictures hold 32-bit pixels");
    clear_to_color(backBitmap, makecol(200, 0, 200));
    releaseKeys();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::scratch().file("story");
    fuzz::writeFile(path, data, size);
    Story story(path.c_str());
    checkLines(story, data, size);
    exercise(story);
    return 0;
}
