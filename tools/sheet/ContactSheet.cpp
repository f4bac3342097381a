#include "sheet/ContactSheet.h"

#include <allegro.h>
#include <jpgalleg.h>
#include <algorithm>
#include <iterator>
#include <cstdio>

#include "frame/AssetManifest.h"
#include "frame/ShadowedText.h"
#include "flow/WispenGame.h"
#include "play/Hud.h"
#include "play/MainGame.h"
#include "settings/PictureSize.h"
#include "settings/Settings.h"
#include "ui/MenuItemSlider.h"
#include "ui/Story.h"
#include "world/Camera.h"
#include "world/Powerup.h"
#include "world/ScoreBubble.h"

namespace {

constexpr int SHEET_WIDTH = 1400;
constexpr int MARGIN = 16;
constexpr int GAP = 12;
constexpr int LABEL_HEIGHT = 14;
constexpr int ZOOM = 4;
// The lines of the game under the font's own: two main menu entries, the
// sound's volume bar, a row of bubbles, the score, and three for "GAME OVER!"
// and its prompt.
constexpr int GAME_LINES = 8;
constexpr int BUBBLE_MONEY = 15000;
constexpr int HUD_POINTS = 12500;

const char* const EXPRESSIONS[] = {"calm", "smile", "surprise", "anger", "sleepy", "wink", "grin", "fright"};
static_assert(std::size(EXPRESSIONS) == AssetManifest::FACES, "a caption for every face");

// A moment of play: in a game of this seed under the default settings (the
// sheet reads no configuration file), left alone for this many ticks, the
// souls crowd the wisp, whose blows have just earned money.
constexpr unsigned SCENE_SEED = 21;
constexpr int SCENE_TICKS = 400;
// The story as the window shows it with its first line well inside.
constexpr float STORY_SCROLL = 95.0f;

void drawScaled(BITMAP* sheet, BITMAP* source, int sx, int sy, int w, int h, int x, int y, int zoom)
{
    stretch_blit(source, sheet, sx, sy, w, h, x, y, w * zoom, h * zoom);
}

// "FACE1B..FACE8B": the first and last of a row of sprites.
std::string span(const std::vector<std::string>& names) { return names.front() + ".." + names.back(); }

void drawTrans(BITMAP* target, BITMAP* sprite, int x, int y, int opacity)
{
    set_trans_blender(255, 255, 255, opacity);
    draw_trans_sprite(target, sprite, x, y);
}

void drawStory(BITMAP* target, const char* storyFile)
{
    Story story(storyFile ? storyFile : "");
    story.start();
    story.scrollY = STORY_SCROLL;
    story.draw(target);
}

void drawPlay(BITMAP* target)
{
    MainGame game;
    game.begin(SCENE_SEED);
    for (int i = 0; i < SCENE_TICKS; i++)
        game.logic();
    game.draw(target);
}

} // namespace

ContactSheet::~ContactSheet()
{
    for (DATAFILE* object : objects)
        unload_datafile_object(object);
}

BITMAP* ContactSheet::bitmap(const char* name)
{
    auto found = pictures.find(name);
    return found == pictures.end() ? nullptr : found->second;
}

bool ContactSheet::load(const char* dataFile)
{
    std::vector<std::string> names;
    for (const AssetManifest::Object& object : AssetManifest::objects())
        if (object.type == AssetManifest::Type::Jpeg || object.type == AssetManifest::Type::Bitmap)
            names.push_back(object.name);

    bool ok = true;
    for (const std::string& name : names) {
        DATAFILE* object = load_datafile_object(dataFile, name.c_str());
        if (!object || (object->type != DAT_BITMAP && object->type != DAT_JPEG)) {
            std::fprintf(stderr, "contact sheet: %s holds no picture %s\n", dataFile, name.c_str());
            ok = false;
            if (object)
                unload_datafile_object(object);
            continue;
        }
        objects.push_back(object);
        pictures[name] = static_cast<BITMAP*>(object->dat);
    }
    back = bitmap(AssetManifest::BACK);
    space = bitmap(AssetManifest::SPACE);
    return ok;
}

void ContactSheet::label(BITMAP* sheet, int x, int y, const std::string& text)
{
    textout_ex(sheet, font, text.c_str(), x, y, makecol(200, 200, 215), -1);
}

int ContactSheet::drawSkies(BITMAP* sheet, int y, const char* storyFile)
{
    label(sheet, MARGIN, y, std::string(AssetManifest::SPACE) + " " + std::to_string(space->w) + "x" +
                                std::to_string(space->h) + " at 1x");
    blit(space, sheet, 0, 0, MARGIN, y + LABEL_HEIGHT, space->w, space->h);

    const int x = MARGIN + space->w + 2 * GAP;
    int top = y;
    label(sheet, x, top, std::string(AssetManifest::BACK) + " " + std::to_string(back->w) + "x" + std::to_string(back->h) + " at 1x");
    blit(back, sheet, 0, 0, x, top + LABEL_HEIGHT, PICTURE_W, PICTURE_H);
    top += LABEL_HEIGHT + PICTURE_H + GAP;

    BITMAP* screen = create_bitmap(PICTURE_W, PICTURE_H);
    label(sheet, x, top, "BACK under the main menu");
    game.mainMenu.start();
    game.mainMenu.draw(screen);
    blit(screen, sheet, 0, 0, x, top + LABEL_HEIGHT, PICTURE_W, PICTURE_H);
    top += LABEL_HEIGHT + PICTURE_H + GAP;
    label(sheet, x, top, "BACK under the story window");
    drawStory(screen, storyFile);
    blit(screen, sheet, 0, 0, x, top + LABEL_HEIGHT, PICTURE_W, PICTURE_H);
    destroy_bitmap(screen);
    return y + LABEL_HEIGHT + space->h + 2 * GAP;
}

int ContactSheet::drawZoomedSkies(BITMAP* sheet, int y)
{
    label(sheet, MARGIN, y, "BACK at 4x (the title)");
    drawScaled(sheet, back, 40, 0, 240, 72, MARGIN, y + LABEL_HEIGHT, ZOOM);
    const int x = MARGIN + 240 * ZOOM + 2 * GAP;
    label(sheet, x, y, "SPACE at 4x");
    drawScaled(sheet, space, 560, 420, 96, 72, x, y + LABEL_HEIGHT, ZOOM);
    return y + LABEL_HEIGHT + 72 * ZOOM + 2 * GAP;
}

int ContactSheet::drawSprites(BITMAP* sheet, int y, const std::string& title, const std::vector<std::string>& names,
                              const std::vector<std::string>& captions, int opacity)
{
    label(sheet, MARGIN, y, title);
    y += LABEL_HEIGHT;
    BITMAP* first = bitmap(names[0].c_str());
    const int w = first->w;
    const int h = first->h;
    const int cell = std::max(w * ZOOM + GAP, 128 + GAP);
    // One column per sprite: 4x as stored (magenta is the mask), 4x blended
    // over the sky as the game draws it, its name, and both again at 1x.
    BITMAP* blended = create_bitmap(w, h);
    const int captionY = y + 2 * h * ZOOM + 8;
    const int smallY = captionY + 2 * LABEL_HEIGHT + 2;
    for (size_t i = 0; i < names.size(); i++) {
        BITMAP* sprite = bitmap(names[i].c_str());
        const int x = MARGIN + static_cast<int>(i) * cell;
        const int skyX = 300 + static_cast<int>(i) * 37;
        drawScaled(sheet, sprite, 0, 0, w, h, x, y, ZOOM);
        blit(space, blended, skyX, 380, 0, 0, w, h);
        drawTrans(blended, sprite, 0, 0, opacity);
        drawScaled(sheet, blended, 0, 0, w, h, x, y + h * ZOOM + 4, ZOOM);
        label(sheet, x, captionY, names[i]);
        label(sheet, x, captionY + LABEL_HEIGHT, captions[i]);
        blit(sprite, sheet, 0, 0, x, smallY, w, h);
        blit(blended, sheet, 0, 0, x + w + 6, smallY, w, h);
    }
    destroy_bitmap(blended);
    return smallY + h + 2 * GAP;
}

int ContactSheet::drawFont(BITMAP* sheet, int y)
{
    label(sheet, MARGIN, y, "FNT1 at 1x and 4x: the font, and the game's own lines drawn by the menus, the bubbles and the heads-up display");
    y += LABEL_HEIGHT + 4;
    const int lineHeight = text_height(font) + 3;
    const char* const charset[] = {" !\"#$%&'()*+,-./0123456789:;<=>?", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_",
                                   "`abcdefghijklmnopqrstuvwxyz{|}~\x7f"};
    const int lineCount = static_cast<int>(std::size(charset)) + GAME_LINES;
    BITMAP* text = create_bitmap(PICTURE_W, lineCount * lineHeight + 4);
    // The sheet's own dark backing, on which every line's colour reads.
    clear_to_color(text, makecol(8, 32, 24));
    int top = 2;
    for (const char* line : charset) {
        shadowedText(text, line, 4, top, makecol(255, 255, 255));
        top += lineHeight;
    }
    drawGameLines(text, top, lineHeight);
    // The lines are a picture wide, too wide for 4x beside 1x.
    blit(text, sheet, 0, 0, MARGIN, y, text->w, text->h);
    const int zoomedY = y + text->h + GAP;
    drawScaled(sheet, text, 0, 0, text->w, text->h, MARGIN, zoomedY, ZOOM);
    int bottom = zoomedY + text->h * ZOOM;
    destroy_bitmap(text);
    return bottom + 2 * GAP;
}

void ContactSheet::drawGameLines(BITMAP* text, int top, int lineHeight)
{
    // A menu entry draws at its own row of the picture; that row is copied.
    BITMAP* picture = create_bitmap(PICTURE_W, PICTURE_H);
    auto drawEntry = [&](MenuItem& item) {
        blit(text, picture, 0, top, 0, item.y, PICTURE_W, lineHeight);
        item.draw(picture);
        blit(picture, text, 0, item.y, 0, top, PICTURE_W, lineHeight);
        top += lineHeight;
    };
    drawEntry(*game.mainMenu.items[0]);  // highlighted by start
    drawEntry(*game.mainMenu.items[1]);
    for (const auto& item : game.optionsMenu.items) {
        auto* slider = dynamic_cast<MenuItemSlider*>(item.get());
        if (slider && slider->value == &settings.volSound)
            drawEntry(*slider);
    }
    destroy_bitmap(picture);

    // The camera at its own offset maps the world onto the picture unmoved.
    Camera camera;
    camera.pos = camera.boundsMin;
    ScoreBubble(4, top, Powerup::moneyText(BUBBLE_MONEY).c_str()).draw(text, camera);
    ScoreBubble(PICTURE_W / 2, top, Powerup::effectText(Powerup::EFFECTS[0]).c_str()).draw(text, camera);
    top += lineHeight;

    Hud hud;
    BITMAP* band = create_sub_bitmap(text, 0, top, PICTURE_W, text->h - top);
    hud.drawScore(band, HUD_POINTS);
    destroy_bitmap(band);
    top += lineHeight;
    band = create_sub_bitmap(text, 0, top, PICTURE_W, 4 * text_height(font));
    hud.drawGameOver(band);
    destroy_bitmap(band);
}

int ContactSheet::drawScene(BITMAP* sheet, int y)
{
    label(sheet, MARGIN, y, "A moment of play drawn by the play screen, at 1x and 2x");
    y += LABEL_HEIGHT;
    BITMAP* screen = create_bitmap(PICTURE_W, PICTURE_H);
    drawPlay(screen);
    blit(screen, sheet, 0, 0, MARGIN, y, PICTURE_W, PICTURE_H);
    drawScaled(sheet, screen, 0, 0, PICTURE_W, PICTURE_H, MARGIN + PICTURE_W + 2 * GAP, y, 2);
    destroy_bitmap(screen);
    return y + 2 * PICTURE_H + 2 * GAP;
}

bool ContactSheet::write(const char* dataFile, const char* sheetFile, const char* storyFile)
{
    if (!load(dataFile))
        return false;
    if (storyFile)
        for (const std::string& line : Story(storyFile).lines)
            if (text_length(font, line.c_str()) > Story::WINDOW_RIGHT - Story::WINDOW_LEFT)
                std::fprintf(stderr, "contact sheet: story line wider than the window: %s\n", line.c_str());

    std::vector<std::string> faceNames[2], faceCaptions, tailNames[2], tailCaptions, starNames, starCaptions;
    const char sets[2] = {AssetManifest::PLAYER, AssetManifest::SOULS};
    for (int s = 0; s < 2; s++) {
        for (int i = 1; i <= AssetManifest::FACES; i++)
            faceNames[s].push_back(AssetManifest::face(i, sets[s]));
        for (int i = 1; i <= AssetManifest::TAILS; i++)
            tailNames[s].push_back(AssetManifest::tail(i, sets[s]));
    }
    for (const char* e : EXPRESSIONS)
        faceCaptions.push_back(e);
    for (int i = 1; i <= AssetManifest::TAILS; i++)
        tailCaptions.push_back("faces " + std::to_string(i) + ", " + std::to_string(i + AssetManifest::TAILS));
    for (int i = 1; i <= AssetManifest::STARS; i++) {
        starNames.push_back(AssetManifest::star(i));
        starCaptions.push_back(Powerup::effectText(Powerup::EFFECTS[i - 1]));
    }

    BITMAP* sheet = create_bitmap(SHEET_WIDTH, 4200);
    clear_to_color(sheet, makecol(24, 24, 32));
    int y = MARGIN;
    y = drawSkies(sheet, y, storyFile);
    y = drawZoomedSkies(sheet, y);
    y = drawScene(sheet, y);
    y = drawSprites(sheet, y, span(faceNames[0]) + ", the player's wisp (4x as stored, 4x over the sky at 240/255, and both at 1x)",
                    faceNames[0], faceCaptions, 240);
    y = drawSprites(sheet, y, span(faceNames[1]) + ", the souls", faceNames[1], faceCaptions, 240);
    std::vector<std::string> tails = tailNames[0];
    tails.insert(tails.end(), tailNames[1].begin(), tailNames[1].end());
    std::vector<std::string> captions = tailCaptions;
    captions.insert(captions.end(), tailCaptions.begin(), tailCaptions.end());
    y = drawSprites(sheet, y, span(tailNames[0]) + ", " + span(tailNames[1]) + " (over the sky at 100/255, the newest trail particle)",
                    tails, captions, 100);
    y = drawSprites(sheet, y, span(starNames) + ", power-ups by kind (over the sky at 72/255, a fountain star's most)",
                    starNames, starCaptions, 72);
    y = drawFont(sheet, y);

    BITMAP* cropped = create_sub_bitmap(sheet, 0, 0, SHEET_WIDTH, y);
    bool ok = save_bitmap(sheetFile, cropped, nullptr) == 0;
    destroy_bitmap(cropped);
    destroy_bitmap(sheet);
    if (!ok)
        std::fprintf(stderr, "contact sheet: cannot write %s\n", sheetFile);
    return ok;
}
