#pragma once

#include <cstdint>
#include <string>

#include "settings/Action.h"

struct BITMAP;
class Menu;

// One line of a menu: a centred label with the result code the menu reports
// when the line is chosen. Owned by its Menu, which deletes it. Headings and
// plain text lines are disabled entries.
class MenuItem {
public:
    enum Flags : uint32_t {
        ItemSelected = 1,
        ItemDisabled = 2,
    };

    // The glow runs through one bright-dim-bright cycle in this many ticks.
    static constexpr int PULSE_PERIOD = 60;

    MenuItem(const char* label, int id, int y);
    virtual ~MenuItem();

    virtual void draw(BITMAP* target);
    virtual void logic();
    virtual int getId() const;
    virtual void select();
    virtual void deselect();
    virtual void disable();

    void setFlags(uint32_t mask);
    void clearFlags(uint32_t mask);
    bool hasFlags(uint32_t mask) const;

    // The colour of the label in the entry's present state.
    int textColour() const;
    // The gold of a label neither highlighted nor disabled; the prompt asks
    // its question in it too.
    static int restingColour();

    std::string text;
    int32_t id;
    int32_t y;
    uint32_t flags = 0;
    Menu* menu = nullptr;
    int32_t pulse = 0;

protected:
    // Draws shown in place of the label, centred on the target, with its shadow.
    void drawText(BITMAP* target, const char* shown) const;

    // A key that went down since the menu's last snapshot; false while the
    // entry belongs to no menu.
    bool keyPressed(int scancode) const;
    bool actionPressed(Action action) const;
};
