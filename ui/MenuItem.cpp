#include "ui/MenuItem.h"

#include <allegro.h>

#include "frame/ShadowedText.h"
#include "ui/Menu.h"

namespace {

constexpr float GLOW_HUE = 45.0f;
constexpr float GLOW_SATURATION = 0.4f;
// Brightness is (120 - pulse) / 120 on the way down and (60 + pulse) / 120 on
// the way up, so it falls from 1 to 0.75 at mid-cycle and climbs back.
constexpr int GLOW_DIVISOR = 120;
constexpr float GLOW_SCALE = 1.0f / GLOW_DIVISOR;
constexpr int GLOW_TURN = 30;

} // namespace

MenuItem::MenuItem(const char* label, int id, int y) : text(label ? label : ""), id(id), y(y) {}

MenuItem::~MenuItem() = default;

void MenuItem::draw(BITMAP* target) { drawText(target, text.c_str()); }

void MenuItem::logic() { pulse = (pulse + 1) % PULSE_PERIOD; }

int MenuItem::getId() const { return id; }

void MenuItem::select() { setFlags(ItemSelected); }

void MenuItem::deselect() { clearFlags(ItemSelected); }

void MenuItem::disable() { setFlags(ItemDisabled); }

void MenuItem::setFlags(uint32_t mask) { flags |= mask; }

void MenuItem::clearFlags(uint32_t mask) { flags &= ~mask; }

bool MenuItem::hasFlags(uint32_t mask) const { return (flags & mask) != 0; }

int MenuItem::textColour() const
{
    if (hasFlags(ItemDisabled))
        return makecol(140, 140, 140);
    if (!hasFlags(ItemSelected))
        return restingColour();
    const float value = pulse < GLOW_TURN ? (120 - pulse) * GLOW_SCALE : (60 + pulse) * GLOW_SCALE;
    int r, g, b;
    hsv_to_rgb(GLOW_HUE, GLOW_SATURATION, value, &r, &g, &b);
    return makecol(r, g, b);
}

int MenuItem::restingColour() { return makecol(190, 150, 84); }

void MenuItem::drawText(BITMAP* target, const char* shown) const
{
    // Centred on the target rather than the screen: the target is the frame,
    // which the display may show enlarged, and a menu can be drawn anywhere.
    shadowedText(target, shown, target->w / 2, y, textColour(), TextAlign::Centre);
}

bool MenuItem::keyPressed(int scancode) const { return menu && menu->keyPressed(scancode); }

bool MenuItem::actionPressed(Action action) const { return menu && menu->actionPressed(action); }
