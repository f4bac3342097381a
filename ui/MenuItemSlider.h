#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/MenuItemToggle.h"

// An options entry that steps an integer setting through a fixed table of
// choices: Enter or Right one up, Left or Backspace one down, never past the
// ends. It shows the display text of the current choice after its label.
class MenuItemSlider : public MenuItemToggle {
public:
    // Both tables are copied; count entries are read from each.
    MenuItemSlider(const char* label, int id, int y, int32_t* value, int count, const int32_t* values,
                   const char* const* names);
    ~MenuItemSlider() override;

    void draw(BITMAP* target) override;
    void logic() override;

    int32_t count;
    std::vector<int32_t> values;
    std::vector<std::string> names;
    int32_t index = 0;

private:
    // The choice holding the bound value; choice 0 when none does.
    int32_t indexOfValue() const;
    void step(int by);
};
