#include "paint/ContactSheet.h"

#include <allegro.h>
#include <jpgalleg.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "app/AssetManifest.h"

namespace {

constexpr int SHEET_WIDTH = 1400;
constexpr int MARGIN = 16;
constexpr int GAP = 12;
constexpr int LABEL_HEIGHT = 14;
constexpr int ZOOM = 4;
constexpr int GAME_W = 320;
constexpr int GAME_H = 240;

const char* const KIND_CAPTIONS[] = {"-15HP", "$5000", "$15000", "$1000", "+3HP", "-3HP", "+15HP"};
const char* const EXPRESSIONS[] = {"calm", "smile", "surprise", "anger", "sleepy", "wink", "grin", "fright"};

// A small fixed sequence for placing things in the mock screens, so the
// sheet is the same on every build.
class Scatter {
public:
    explicit Scatter(unsigned seed) : state(seed) {}
    int next(int n)
    {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<unsigned>(n));
    }

private:
    unsigned state;
};

void drawScaled(BITMAP* sheet, BITMAP* source, int sx, int sy, int w, int h, int x, int y, int zoom)
{
    stretch_blit(source, sheet, sx, sy, w, h, x, y, w * zoom, h * zoom);
}

void drawTrans(BITMAP* target, BITMAP* sprite, int x, int y, int opacity)
{
    set_trans_blender(255, 255, 255, opacity);
    draw_trans_sprite(target, sprite, x, y);
}

} // namespace

ContactSheet::~ContactSheet()
{
    for (DATAFILE* object : objects)
        unload_datafile_object(object);
    pictures.clear();
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
    DATAFILE* fontObject = load_datafile_object(dataFile, AssetManifest::FONT);
    if (!fontObject || fontObject->type != DAT_FONT) {
        std::fprintf(stderr, "contact sheet: %s holds no font FNT1\n", dataFile);
        return false;
    }
    objects.push_back(fontObject);
    gameFont = static_cast<FONT*>(fontObject->dat);
    back = bitmap(AssetManifest::BACK);
    space = bitmap(AssetManifest::SPACE);
    return ok;
}

void ContactSheet::label(BITMAP* sheet, int x, int y, const std::string& text)
{
    textout_ex(sheet, gameFont, text.c_str(), x, y, makecol(200, 200, 215), -1);
}

int ContactSheet::drawSkies(BITMAP* sheet, int y)
{
    label(sheet, MARGIN, y, "SPACE 1024x768 at 1x");
    blit(space, sheet, 0, 0, MARGIN, y + LABEL_HEIGHT, space->w, space->h);

    const int x = MARGIN + space->w + 2 * GAP;
    int top = y;
    label(sheet, x, top, "BACK 320x240 at 1x");
    blit(back, sheet, 0, 0, x, top + LABEL_HEIGHT, GAME_W, GAME_H);
    top += LABEL_HEIGHT + GAME_H + GAP;

    BITMAP* screen = create_bitmap(GAME_W, GAME_H);
    label(sheet, x, top, "BACK under the main menu");
    drawMenuMock(screen);
    blit(screen, sheet, 0, 0, x, top + LABEL_HEIGHT, GAME_W, GAME_H);
    top += LABEL_HEIGHT + GAME_H + GAP;
    label(sheet, x, top, "BACK under the story window");
    drawStoryMock(screen);
    blit(screen, sheet, 0, 0, x, top + LABEL_HEIGHT, GAME_W, GAME_H);
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

int ContactSheet::drawSprites(BITMAP* sheet, int y, const char* title, const std::vector<std::string>& names,
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
    label(sheet, MARGIN, y, "FNT1 at 1x and 4x, in colours the game draws it with");
    y += LABEL_HEIGHT + 4;
    std::string bar = "[";
    bar += std::string(6, '\x7f');
    bar += "____|";
    const std::vector<std::pair<std::string, int>> lines = {
        {" !\"#$%&'()*+,-./0123456789:;<=>?", makecol(255, 255, 255)},
        {"@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_", makecol(255, 255, 255)},
        {"`abcdefghijklmnopqrstuvwxyz{|}~\x7f", makecol(255, 255, 255)},
        {"Play Game   Options   High Scores", makecol(190, 150, 84)},
        {"pts: 00012500    $15000    +15HP", makecol(140, 200, 240)},
        {"Sound - " + bar, makecol(190, 150, 84)},
        {"Press ENTER to continue...", makecol(192, 192, 192)},
    };
    const int lineHeight = text_height(gameFont) + 3;
    BITMAP* text = create_bitmap(300, static_cast<int>(lines.size()) * lineHeight + 4);
    clear_to_color(text, makecol(8, 32, 24));
    for (size_t i = 0; i < lines.size(); i++) {
        int ty = 2 + static_cast<int>(i) * lineHeight;
        textout_ex(text, gameFont, lines[i].first.c_str(), 5, ty + 1, makecol(0, 0, 0), -1);
        textout_ex(text, gameFont, lines[i].first.c_str(), 4, ty, lines[i].second, -1);
    }
    blit(text, sheet, 0, 0, MARGIN, y, text->w, text->h);
    drawScaled(sheet, text, 0, 0, text->w, text->h, MARGIN + text->w + 2 * GAP, y, ZOOM);
    int bottom = y + text->h * ZOOM;
    destroy_bitmap(text);
    return bottom + 2 * GAP;
}

int ContactSheet::drawScene(BITMAP* sheet, int y)
{
    label(sheet, MARGIN, y, "A play screen put together from these pieces, at 1x and 2x");
    y += LABEL_HEIGHT;
    BITMAP* screen = create_bitmap(GAME_W, GAME_H);
    drawPlayMock(screen);
    blit(screen, sheet, 0, 0, MARGIN, y, GAME_W, GAME_H);
    drawScaled(sheet, screen, 0, 0, GAME_W, GAME_H, MARGIN + GAME_W + 2 * GAP, y, 2);
    destroy_bitmap(screen);
    return y + 2 * GAME_H + 2 * GAP;
}

void ContactSheet::drawMenuMock(BITMAP* target)
{
    blit(back, target, 0, 0, 0, 0, GAME_W, GAME_H);
    const char* items[] = {"Play Game", "Options", "High Scores", "Story", "Credits", "Exit"};
    const int first = 86, step = 22;
    const int h = text_height(gameFont);
    int width = 0;
    for (const char* item : items)
        width = std::max(width, text_length(gameFont, item));
    width += 80;
    const int top = first - h;
    const int height = (first + 5 * step + 2 * h) - top;
    BITMAP* panel = create_bitmap(width, height);
    clear_to_color(panel, makecol(64, 96, 80));
    rect(panel, 0, 0, width - 1, height - 1, makecol(0, 0, 0));
    drawTrans(target, panel, (GAME_W - width) / 2, top, 128);
    destroy_bitmap(panel);
    for (int i = 0; i < 6; i++) {
        int r, g, b;
        hsv_to_rgb(45.0f, 0.4f, 1.0f, &r, &g, &b);
        int colour = i == 0 ? makecol(r, g, b) : makecol(190, 150, 84);
        textout_centre_ex(target, gameFont, items[i], GAME_W / 2 + 1, first + i * step + 1, makecol(0, 0, 0), -1);
        textout_centre_ex(target, gameFont, items[i], GAME_W / 2, first + i * step, colour, -1);
    }
}

void ContactSheet::drawStoryMock(BITMAP* target)
{
    blit(back, target, 0, 0, 0, 0, GAME_W, GAME_H);
    rectfill(target, 10, 80, 310, 230, makecol(8, 32, 24));
    rect(target, 10, 80, 310, 230, makecol(0, 0, 0));
    set_clip_rect(target, 10, 80, 310, 230);
    for (size_t i = 0; i < storyLines.size() && i < 8; i++) {
        float ly = 95.0f + 20.0f * i;
        int r, g, b;
        hsv_to_rgb(45.0f, 0.3f, std::max(0.0f, 1.0f - std::fabs(ly - 155.0f) * 0.013333334f), &r, &g, &b);
        textout_centre_ex(target, gameFont, storyLines[i].c_str(), 160, static_cast<int>(ly), makecol(r, g, b), -1);
    }
    set_clip_rect(target, 0, 0, GAME_W - 1, GAME_H - 1);
}

void ContactSheet::drawPlayMock(BITMAP* target)
{
    const int cameraX = 330, cameraY = 260;
    blit(space, target, cameraX, cameraY, 0, 0, GAME_W, GAME_H);
    Scatter scatter(7);
    for (int i = 0; i < 90; i++) {
        int g = scatter.next(128) + 64;
        putpixel(target, scatter.next(GAME_W), scatter.next(GAME_H), makecol(g, g, g));
    }

    // Power-up fountains: fifteen stars drifting out from each spot.
    const struct {
        int kind, x, y;
    } powerups[] = {{2, 62, 58}, {0, 262, 150}, {6, 118, 196}, {3, 236, 40}};
    for (const auto& p : powerups)
        for (int i = 0; i < 15; i++) {
            int life = 40 - i * 3 + 2;
            int alpha = 100 * life / 40;
            int px = p.x + (scatter.next(255) - 128) * (40 - life) / 256;
            int py = p.y + (scatter.next(255) - 128) * (40 - life) / 256;
            drawTrans(target, bitmap(AssetManifest::star(p.kind + 1).c_str()), px - 6, py - 6, alpha * 3 / 4);
        }

    // Creatures with their trails: particles dropped every third tick
    // fade over 40 ticks behind the face.
    const struct {
        bool player;
        int face, x, y, dx, dy;
    } creatures[] = {{false, 3, 70, 120, -2, 1}, {false, 6, 210, 88, 3, -1}, {false, 0, 250, 200, 2, 2},
                     {true, 1, 160, 128, -3, 2}};
    for (const auto& c : creatures) {
        const char set = c.player ? AssetManifest::PLAYER : AssetManifest::SOULS;
        BITMAP* tail = bitmap(AssetManifest::tail(c.face % AssetManifest::TAILS + 1, set).c_str());
        for (int i = 13; i >= 1; i--) {
            int life = 40 - 3 * i;
            int px = c.x + c.dx * 3 * i + (scatter.next(5) - 2);
            int py = c.y + c.dy * 3 * i + (scatter.next(5) - 2);
            drawTrans(target, tail, px - 16, py - 16, 100 * life / 40);
        }
        drawTrans(target, bitmap(AssetManifest::face(c.face + 1, set).c_str()), c.x - 16, c.y - 16, 240);
    }

    // The heads-up display as the play screen lays it out.
    BITMAP* radar = create_bitmap(64, 48);
    clear_to_color(radar, makecol(64, 160, 128));
    drawTrans(target, radar, 252, 188, 64);
    destroy_bitmap(radar);
    const int white = makecol(255, 255, 255);
    hline(target, 252, 188, 256, white);
    vline(target, 252, 188, 192, white);
    hline(target, 316, 188, 312, white);
    vline(target, 316, 188, 192, white);
    hline(target, 252, 236, 256, white);
    vline(target, 252, 236, 232, white);
    hline(target, 316, 236, 312, white);
    vline(target, 316, 236, 232, white);
    for (int i = 0; i < 30; i++) {
        int x1 = 4 + 8 * i, x2 = x1 + 6;
        int r, g, b;
        if (i <= 19) {
            hsv_to_rgb(4.0f * i, 1.0f, 1.0f, &r, &g, &b);
            rectfill(target, x1, 224, x2, 236, makecol(r, g, b));
            hsv_to_rgb(4.0f * i, 1.0f, 0.7f, &r, &g, &b);
            rect(target, x1, 224, x2, 236, makecol(r, g, b));
        } else {
            rectfill(target, x1, 224, x2, 236, makecol(64, 64, 64));
            rect(target, x1, 224, x2, 236, makecol(40, 40, 40));
        }
        for (int corner = 0; corner < 4; corner++)
            putpixel(target, corner & 1 ? x2 : x1, corner & 2 ? 236 : 224, makecol(0, 0, 0));
    }
    textprintf_ex(target, gameFont, 209, 5, makecol(0, 0, 0), -1, "pts: %08d", 12500);
    textprintf_ex(target, gameFont, 208, 4, makecol(140, 200, 240), -1, "pts: %08d", 12500);
    textout_centre_ex(target, gameFont, "$5000", 63, 39, makecol(0, 0, 0), -1);
    textout_centre_ex(target, gameFont, "$5000", 62, 38, makecol(255, 230, 120), -1);
}

bool ContactSheet::write(const char* dataFile, const char* sheetFile, const char* storyFile)
{
    if (!load(dataFile))
        return false;
    if (storyFile) {
        std::ifstream story(storyFile);
        std::string line;
        while (std::getline(story, line)) {
            if (text_length(gameFont, line.c_str()) > 300)
                std::fprintf(stderr, "contact sheet: story line wider than the window: %s\n", line.c_str());
            storyLines.push_back(line);
        }
    }

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
    for (int i = 1; i <= 4; i++)
        tailCaptions.push_back("faces " + std::to_string(i) + ", " + std::to_string(i + 4));
    for (int i = 1; i <= AssetManifest::STARS; i++) {
        starNames.push_back(AssetManifest::star(i));
        starCaptions.push_back(KIND_CAPTIONS[i - 1]);
    }

    BITMAP* sheet = create_bitmap(SHEET_WIDTH, 4200);
    clear_to_color(sheet, makecol(24, 24, 32));
    int y = MARGIN;
    y = drawSkies(sheet, y);
    y = drawZoomedSkies(sheet, y);
    y = drawScene(sheet, y);
    y = drawSprites(sheet, y, "FACE1B..FACE8B, the player's wisp (4x as stored, 4x over the sky at 240/255, and both at 1x)",
                    faceNames[0], faceCaptions, 240);
    y = drawSprites(sheet, y, "FACE1G..FACE8G, the souls", faceNames[1], faceCaptions, 240);
    std::vector<std::string> tails = tailNames[0];
    tails.insert(tails.end(), tailNames[1].begin(), tailNames[1].end());
    std::vector<std::string> captions = tailCaptions;
    captions.insert(captions.end(), tailCaptions.begin(), tailCaptions.end());
    y = drawSprites(sheet, y, "TAIL1B..TAIL4B, TAIL1G..TAIL4G (over the sky at 100/255, the newest trail particle)",
                    tails, captions, 100);
    y = drawSprites(sheet, y, "STAR1..STAR7, power-ups by kind (over the sky at 72/255, a fountain star's most)",
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
