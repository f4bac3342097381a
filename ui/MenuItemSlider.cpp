#include "ui/MenuItemSlider.h"

#include <algorithm>
#include <allegro.h>

#include "frame/Resources.h"
#include "settings/Settings.h"
#include "frame/Sound.h"

MenuItemSlider::MenuItemSlider(const char* label, int id, int y, int32_t* value, int count,
                               const int32_t* values, const char* const* names)
    : MenuItemToggle(label, id, y, value), count(std::max(count, 0))
{
    for (int i = 0; i < this->count; i++) {
        this->values.push_back(values[i]);
        this->names.emplace_back(names[i] ? names[i] : "");
    }
    // The first frame may be drawn before the first tick.
    index = indexOfValue();
}

MenuItemSlider::~MenuItemSlider() = default;

void MenuItemSlider::draw(BITMAP* target)
{
    if (names.empty()) {
        drawText(target, text.c_str());
        return;
    }
    const std::string shown = text + " - " + names[index];
    drawText(target, shown.c_str());
}

void MenuItemSlider::logic()
{
    // The toggle's Enter handling is not wanted here: Enter steps the slider.
    MenuItem::logic();
    index = indexOfValue();
    if (!hasFlags(ItemSelected) || values.empty())
        return;
    const bool right = actionPressed(Action::Right);
    if (actionPressed(Action::Choose) || right) {
        // With Enter alone the menu plays the select sound itself.
        if (right)
            playSample(selectSample, settings.volSound, PAN_CENTRE, NORMAL_PITCH, 0);
        step(+1);
    } else if (keyPressed(KEY_BACKSPACE) || actionPressed(Action::Left)) {
        playSample(selectSample, settings.volSound, PAN_CENTRE, NORMAL_PITCH, 0);
        step(-1);
    }
}

int32_t MenuItemSlider::indexOfValue() const
{
    const auto found = std::find(values.begin(), values.end(), *value);
    return found == values.end() ? 0 : static_cast<int32_t>(found - values.begin());
}

void MenuItemSlider::step(int by)
{
    // The ends hold: no wrap-around from the last choice to the first.
    index = std::clamp(index + by, 0, count - 1);
    *value = values[index];
}
