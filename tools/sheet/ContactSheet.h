#pragma once

#include <map>
#include <string>
#include <vector>

#include "flow/WispenGame.h"

struct BITMAP;
struct DATAFILE;

// One picture showing everything the datafile holds, read back from the
// datafile itself: every picture at 1x and 4x, the sprites also blended over
// the sky the way the game draws them, the font with lines of the menus, the
// bubbles and the heads-up display, and the main menu, the story and a moment
// of play, all drawn by the game's own code.
// The game's resources must be loaded (loadData) before it draws; like the
// game, the sheet releases them when it goes.
class ContactSheet {
public:
    ContactSheet() = default;
    ~ContactSheet();
    ContactSheet(const ContactSheet&) = delete;
    ContactSheet& operator=(const ContactSheet&) = delete;

    // False, with a message, when an object is missing or the sheet cannot
    // be written. The story file, when given, fills the story window, and
    // lines too wide for it are reported.
    bool write(const char* dataFile, const char* sheetFile, const char* storyFile);

private:
    BITMAP* bitmap(const char* name);
    bool load(const char* dataFile);

    void label(BITMAP* sheet, int x, int y, const std::string& text);
    int drawSkies(BITMAP* sheet, int y, const char* storyFile);
    int drawZoomedSkies(BITMAP* sheet, int y);
    int drawSprites(BITMAP* sheet, int y, const std::string& title, const std::vector<std::string>& names,
                    const std::vector<std::string>& captions, int opacity);
    int drawFont(BITMAP* sheet, int y);
    // From top down, a line apart, each line as the game's own code draws it.
    void drawGameLines(BITMAP* text, int top, int lineHeight);
    int drawScene(BITMAP* sheet, int y);

    // The game whose main menu is drawn.
    WispenGame game;
    std::vector<DATAFILE*> objects;
    std::map<std::string, BITMAP*> pictures;
    BITMAP* back = nullptr;
    BITMAP* space = nullptr;
};
