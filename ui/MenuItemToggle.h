#pragma once

#include <cstdint>

#include "ui/MenuItem.h"

// An options entry that switches an integer setting between on (1) and off
// (0) with Enter while it is highlighted. The setting lives in the settings
// record; the entry only points at it.
class MenuItemToggle : public MenuItem {
public:
    MenuItemToggle(const char* label, int id, int y, int32_t* value);
    ~MenuItemToggle() override;

    void draw(BITMAP* target) override;
    void logic() override;

    int32_t* value;
};
