#include "flow/MenuContents.h"

#include <memory>
#include <string>

#include "frame/GameScreen.h"
#include "settings/Settings.h"
#include "ui/Menu.h"
#include "ui/MenuItemEdit.h"
#include "ui/MenuItemSlider.h"
#include "ui/MenuItemToggle.h"

namespace {

constexpr int VOLUME_STEPS = 11;
constexpr int VOLUME_STEP = 25;
// The font draws character 127 as a filled bar segment.
constexpr char BAR_SEGMENT = 127;

// The heights of a menu's lines, handed out one spacing apart from the top;
// a gap sets a group of lines apart from the next.
class Rows {
public:
    Rows(int top, int spacing) : y(top), spacing(spacing) {}
    int next()
    {
        int row = y;
        y += spacing;
        return row;
    }
    Rows& gap(int extra)
    {
        y += extra;
        return *this;
    }

private:
    int y;
    int spacing;
};

std::unique_ptr<MenuItem> line(const char* label, int id, int y)
{
    return std::make_unique<MenuItem>(label, id, y);
}

std::unique_ptr<MenuItem> disabledLine(const char* label, int id, int y)
{
    auto item = line(label, id, y);
    item->disable();
    return item;
}

// "[", k bar segments, 10 - k underscores, "|".
std::string volumeBar(int k)
{
    return "[" + std::string(k, BAR_SEGMENT) + std::string(VOLUME_STEPS - 1 - k, '_') + "|";
}

void addVolumeSlider(Menu& menu, const char* label, int y, int* value)
{
    int values[VOLUME_STEPS];
    std::string bars[VOLUME_STEPS];
    const char* names[VOLUME_STEPS];
    for (int k = 0; k < VOLUME_STEPS; k++) {
        values[k] = VOLUME_STEP * k;
        bars[k] = volumeBar(k);
        names[k] = bars[k].c_str();
    }
    menu.addItem(std::make_unique<MenuItemSlider>(label, OptionsMenu, y, value, VOLUME_STEPS, values, names));
}

template <int N>
void addSlider(Menu& menu, const char* label, int y, int* value, const int (&values)[N],
               const char* const (&names)[N])
{
    menu.addItem(std::make_unique<MenuItemSlider>(label, OptionsMenu, y, value, N, values, names));
}

} // namespace

void MenuContents::fillMainMenu(Menu& mainMenu)
{
    Rows rows(86, 22);
    mainMenu.addItem(line("Play Game", NewGame, rows.next()));
    mainMenu.addItem(line("Options", OptionsMenu, rows.next()));
    mainMenu.addItem(line("High Scores", HighScores, rows.next()));
    mainMenu.addItem(line("Story", StoryScreen, rows.next()));
    mainMenu.addItem(line("Credits", CreditsMenu, rows.next()));
    mainMenu.addItem(line("Exit", ConfirmQuit, rows.next()));
}

// Until it is shown, the list holds its way back only; its score lines are
// read from the file each time.
void MenuContents::fillHighScoreMenu(Menu& highScoreMenu) { highScoreMenu.addItem(line("Back", MainMenu, 64)); }

void MenuContents::fillOptionsMenu(Menu& optionsMenu)
{
    static const int particleValues[] = {0, 20, 40, 60};
    static const char* const particleNames[] = {"none", "few", "some", "a lot"};
    static const int starValues[] = {0, 100, 300, 600};
    static const char* const starNames[] = {"none", "few", "some", "a lot"};
    static const int difficultyValues[] = {0, 1, 2};
    static const char* const difficultyNames[] = {"easy", "normal", "hard"};

    Rows rows(80, 16);
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Use vsync", OptionsMenu, rows.next(), &settings.vsync));
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Unlimited FPS", OptionsMenu, rows.next(), &settings.unlimitedFPS));
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Show FPS", OptionsMenu, rows.next(), &settings.showFPS));
    optionsMenu.addItem(std::make_unique<MenuItemToggle>("Yield timeslice", OptionsMenu, rows.next(), &settings.yield));
    addSlider(optionsMenu, "Particles", rows.next(), &settings.maxParticles, particleValues, particleNames);
    addSlider(optionsMenu, "Stars", rows.next(), &settings.nStars, starValues, starNames);
    addSlider(optionsMenu, "Difficulty", rows.next(), &settings.difficulty, difficultyValues, difficultyNames);
    addVolumeSlider(optionsMenu, "Sound", rows.next(), &settings.volSound);
    addVolumeSlider(optionsMenu, "Music", rows.next(), &settings.volMusic);
    optionsMenu.addItem(line("Controls", ControlsScreen, rows.next()));
}

void MenuContents::fillNameEntryMenu(Menu& nameEntryMenu)
{
    Rows rows(94, 22);
    nameEntryMenu.addItem(disabledLine("Congratulations!", EnterName, rows.next()));
    nameEntryMenu.addItem(disabledLine("You have a high score!", EnterName, rows.next()));
    nameEntryMenu.addItem(disabledLine("Please enter your name", EnterName, rows.next()));
    nameEntryMenu.addItem(std::make_unique<MenuItemEdit>("        ", HighScores, rows.next()));
}

void MenuContents::fillCreditsMenu(Menu& creditsMenu)
{
    // Lines in pairs, each pair set apart from the next.
    constexpr int PAIR_GAP = 8;
    Rows rows(72, 16);
    creditsMenu.addItem(disabledLine("the WISPEN", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("for all who wander at night", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("code, gfx and music by", CreditsMenu, rows.gap(PAIR_GAP).next()));
    creditsMenu.addItem(disabledLine("the Wispen team", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("this game was written with the Allegro", CreditsMenu, rows.gap(PAIR_GAP).next()));
    creditsMenu.addItem(disabledLine("game programming library", CreditsMenu, rows.next()));
    creditsMenu.addItem(disabledLine("(c) 2026 the Wispen team", CreditsMenu, rows.gap(PAIR_GAP).next()));
    creditsMenu.addItem(line("Back", MainMenu, rows.gap(PAIR_GAP).next()));
}
