#include "input/InputLabel.h"

#include <cctype>

#include "input/Controls.h"
#include "input/Gamepad.h"
#include "input/KeyNames.h"

std::string hintLabel(Action action)
{
    const int button = Gamepad::buttonOf(action);
    const char* key = keyLabel(controls.keyOf(action));
    std::string label = controls.padUsedLast() && button >= 0 ? gamepad.buttonLabel(button) : key ? key : "?";
    for (char& c : label)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return label;
}
