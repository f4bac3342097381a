#pragma once

#include <string>

#include "ui/MenuItem.h"

// A line of the controls screen: an action's name, its key and its pad input
// in three columns, so the lines read as a table in the game's proportional
// font. The label is the action's name; the controls screen fills the rest.
class MenuItemBinding : public MenuItem {
public:
    // Column edges from the centre of the target: the name ends at NAME_END,
    // the key and the pad input start at KEY_START and PAD_START.
    static constexpr int NAME_END = -80;
    static constexpr int KEY_START = -72;
    static constexpr int PAD_START = -4;

    MenuItemBinding(const char* label, int id, int y);

    void draw(BITMAP* target) override;

    std::string keyText;
    std::string padText;

private:
    void drawColumn(BITMAP* target, const std::string& shown, int x) const;
};
