#include "ui/Menu.h"

#include <algorithm>
#include <allegro.h>

#include "input/Controls.h"
#include "desktop/Dispose.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "frame/Sound.h"
#include "ui/FramedPanel.h"

BITMAP* Menu::panelBitmap = nullptr;

namespace {

constexpr int PANEL_ALPHA = 128;
// What shows of the picture below the lowest panel.
constexpr int PANEL_EDGE_MARGIN = 4;

void playMenuSample(const SAMPLE* sample) { playSample(sample, settings.volSound, PAN_CENTRE, NORMAL_PITCH, 0); }

} // namespace

Menu::Menu() = default;

Menu::~Menu()
{
    clearItems();
    dispose(panelBitmap, destroy_bitmap);
}

int Menu::getResult()
{
    // Back still held wins over the Choose that finished the menu.
    if (controls.held(Action::Back))
        return result;
    MenuItem* item = getSelectedItem();
    // A menu without entries has nothing to choose; it can only be left.
    return item ? item->getId() : result;
}

bool Menu::logic()
{
    for (const std::unique_ptr<MenuItem>& item : items)
        item->logic();
    if (actionPressed(Action::Choose)) {
        playMenuSample(selectSample);
        return true;
    }
    moveHighlight();
    return GameScreen::logic();
}

void Menu::draw(BITMAP* target)
{
    if (backBitmap)
        blit(backBitmap, target, 0, 0, 0, 0, target->w, target->h);
    if (items.empty())
        return;
    drawPanel(target);
    for (const std::unique_ptr<MenuItem>& item : items)
        item->draw(target);
}

Error Menu::start()
{
    Error error = GameScreen::start();
    if (error.failed())
        return error;
    for (const std::unique_ptr<MenuItem>& item : items)
        item->deselect();
    const int first = findSelectable(0, 1);
    if (first >= 0) {
        items[first]->select();
        selected = static_cast<uint32_t>(first);
    }
    return error;
}

void Menu::addItem(std::unique_ptr<MenuItem> item)
{
    if (!item)
        return;
    item->menu = this;
    items.push_back(std::move(item));
}

void Menu::clearItems()
{
    while (!items.empty())
        items.pop_back();
}

MenuItem* Menu::getSelectedItem() { return selected < items.size() ? items[selected].get() : nullptr; }

void Menu::moveHighlight()
{
    const uint32_t old = selected;
    // After clearItems the old index may lie beyond the entries; search from
    // the end then, so nothing past it is ever touched.
    const int current = static_cast<int>(std::min<size_t>(selected, items.size()));
    int target = current;
    if (actionPressed(Action::Up)) {
        const int found = findSelectable(target - 1, -1);
        if (found >= 0)
            target = found;
    }
    if (actionPressed(Action::Down)) {
        const int found = findSelectable(target + 1, 1);
        if (found >= 0)
            target = found;
    }
    if (target == current)
        return;
    selected = static_cast<uint32_t>(target);
    playMenuSample(collectSample);
    if (old < items.size())
        items[old]->deselect();
    items[selected]->select();
}

int Menu::findSelectable(int from, int step) const
{
    for (int i = from; i >= 0 && i < static_cast<int>(items.size()); i += step)
        if (!items[i]->hasFlags(MenuItem::ItemDisabled))
            return i;
    return -1;
}

void Menu::drawPanel(BITMAP* target)
{
    const int lineHeight = text_height(font);
    const int top = items.front()->y - lineHeight;
    // A long menu's panel stops short of the picture's edge, its frame whole.
    const int bottom = std::min(items.back()->y + 2 * lineHeight, target->h - PANEL_EDGE_MARGIN);
    const int height = bottom - top;
    int widest = 0;
    for (const std::unique_ptr<MenuItem>& item : items)
        widest = std::max(widest, text_length(font, item->text.c_str()));
    const int width = widest + PANEL_MARGIN;
    // Entries listed bottom to top would give no height; such a menu has no panel.
    if (height <= 0)
        return;
    BITMAP* panel = framedPanel(panelBitmap, width, height, makecol(64, 96, 80));
    if (!panel)
        return;
    set_trans_blender(0, 0, 0, PANEL_ALPHA);
    draw_trans_sprite(target, panel, (target->w - width) / 2, top);
}
