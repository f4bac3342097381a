#pragma once

#include <map>
#include <string>
#include <vector>

struct BITMAP;
struct DATAFILE;
struct FONT;

// One picture showing everything the datafile holds, read back from the
// datafile itself: every picture at 1x and 4x, the sprites also blended over
// the sky the way the game draws them, the font in the game's colours, and a
// mock play screen and menu put together from the same pieces.
class ContactSheet {
public:
    ContactSheet() = default;
    ~ContactSheet();
    ContactSheet(const ContactSheet&) = delete;
    ContactSheet& operator=(const ContactSheet&) = delete;

    // False, with a message, when an object is missing or the sheet cannot
    // be written. The story file, when given, fills the mock story window,
    // and lines too wide for it are reported.
    bool write(const char* dataFile, const char* sheetFile, const char* storyFile);

private:
    BITMAP* bitmap(const char* name);
    bool load(const char* dataFile);

    void label(BITMAP* sheet, int x, int y, const std::string& text);
    int drawSkies(BITMAP* sheet, int y);
    int drawZoomedSkies(BITMAP* sheet, int y);
    int drawSprites(BITMAP* sheet, int y, const char* title, const std::vector<std::string>& names,
                    const std::vector<std::string>& captions, int opacity);
    int drawFont(BITMAP* sheet, int y);
    int drawScene(BITMAP* sheet, int y);

    void drawMenuMock(BITMAP* target);
    void drawStoryMock(BITMAP* target);
    void drawPlayMock(BITMAP* target);

    std::vector<DATAFILE*> objects;
    std::map<std::string, BITMAP*> pictures;
    BITMAP* back = nullptr;
    BITMAP* space = nullptr;
    FONT* gameFont = nullptr;
    std::vector<std::string> storyLines;
};
