#include "input/PadButtons.h"

#include <fcntl.h>
#include <linux/input-event-codes.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct NamedButton {
    std::uint16_t code;
    const char* label;
};

// The buttons of the standard layout as the kernel names them, which is how
// Xbox-style pads print them.
const NamedButton STANDARD[] = {
    {BTN_A, "A"},       {BTN_B, "B"},         {BTN_X, "X"},          {BTN_Y, "Y"},
    {BTN_TL, "LB"},     {BTN_TR, "RB"},       {BTN_TL2, "LT"},       {BTN_TR2, "RT"},
    {BTN_SELECT, "Back"}, {BTN_START, "Start"}, {BTN_MODE, "Guide"},
    {BTN_THUMBL, "LS"},    {BTN_THUMBR, "RS"},
};

// The map has a slot for every code from BTN_MISC on.
constexpr int MAP_SLOTS = KEY_MAX - BTN_MISC + 1;

} // namespace

void PadButtons::read(const std::string& path)
{
    codes.clear();
    // Opening a joystick device takes nothing from the library's own reader:
    // each opener gets its own copy of the events.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    unsigned char count = 0;
    std::uint16_t map[MAP_SLOTS] = {};
    const bool asked = ioctl(fd, JSIOCGBUTTONS, &count) >= 0 && ioctl(fd, JSIOCGBTNMAP, map) >= 0;
    close(fd);
    if (!asked)
        return;
    bool standard = false;
    for (int b = 0; b < count; b++)
        standard = standard || map[b] == BTN_SOUTH;
    if (standard)
        codes.assign(map, map + count);
}

std::string PadButtons::label(int button) const
{
    if (button >= 0 && button < static_cast<int>(codes.size()))
        for (const NamedButton& named : STANDARD)
            if (named.code == codes[button])
                return named.label;
    return "Button " + std::to_string(button + 1);
}
