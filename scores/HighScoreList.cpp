#include "scores/HighScoreList.h"

#include <allegro.h>
#include <memory>

#include "frame/GameScreen.h"
#include "ui/Menu.h"
#include "ui/MenuItem.h"

namespace {

// Each line moves down before it is placed, so the first lands at 72.
constexpr int LIST_TOP = 56;
constexpr int LINE_SPACING = 16;
constexpr int BACK_GAP = 24;

} // namespace

void fillHighScores(Menu& highScoreMenu, const char* enteredName, std::int32_t total, const char* fileName)
{
    HighScoreTable table(fileName);
    if (enteredName)
        table.insert(enteredName, total);

    highScoreMenu.clearItems();
    int y = LIST_TOP;
    for (const auto& entry : table.getEntries()) {
        y += LINE_SPACING;
        auto item = std::make_unique<MenuItem>(entry->listLine().c_str(), highScoreMenu.result, y);
        item->disable();
        highScoreMenu.addItem(std::move(item));
    }
    highScoreMenu.addItem(std::make_unique<MenuItem>("Back", MainMenu, y + BACK_GAP));
    highScoreMenu.start();
}
