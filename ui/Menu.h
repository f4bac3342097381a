#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "frame/GameScreen.h"
#include "ui/MenuItem.h"

struct BITMAP;

// A screen with a vertical list of entries on the background picture, inside a
// translucent panel. The application fills each menu once and reuses it; the
// player moves the highlight with Up and Down and chooses with Enter.
class Menu : public GameScreen {
public:
    // The panel stretches this far beyond the widest label, half on each side.
    static constexpr int PANEL_MARGIN = 80;

    Menu();
    ~Menu() override;

    int getResult() override;
    bool logic() override;
    void draw(BITMAP* target) override;
    Error start() override;

    // Takes ownership and appends the entry below the others.
    virtual void addItem(std::unique_ptr<MenuItem> item);
    // Deletes every entry, last first; the highlight index stays until start.
    virtual void clearItems();

    // The highlighted entry; null only when the menu has no entry there.
    MenuItem* getSelectedItem();

    std::vector<std::unique_ptr<MenuItem>> items;
    uint32_t selected = 0;

    // One panel picture for every menu, rebuilt only when a menu of another
    // panel size is drawn. Null until the first draw.
    static BITMAP* panelBitmap;

private:
    void moveHighlight();
    int findSelectable(int from, int step) const;
    void drawPanel(BITMAP* target);
};
