#pragma once

#include <allegro.h>

// An Xbox-style pad as the library's Linux driver reports it: eight axes in
// four sticks, the D-pad's two last, and eleven buttons, all at rest.
inline void plugInPad()
{
    joy[0] = JOYSTICK_INFO{};
    joy[0].num_sticks = 4;
    for (int s = 0; s < 4; s++)
        joy[0].stick[s].num_axis = 2;
    joy[0].num_buttons = 11;
    num_joysticks = 1;
}

inline void unplugPad()
{
    joy[0] = JOYSTICK_INFO{};
    num_joysticks = 0;
}
