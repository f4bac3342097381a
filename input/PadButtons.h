#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a player reads for a pad's button. A pad whose kernel driver reports
// the standard gamepad layout has its buttons named as the kernel names them
// and as such pads print them ("A", "LB", "Start"); any other pad's buttons
// read "Button N", counted from 1 as pads number them. Owned by the gamepad,
// which reads the map each time the joystick driver takes a device.
class PadButtons {
public:
    // Asks the joystick device at path for the kernel's code of each button.
    // A device that cannot be opened or asked leaves the buttons numbered.
    void read(const std::string& path);
    std::string label(int button) const;

private:
    // The kernel's code of each button, in the joystick interface's order;
    // empty unless the pad has the standard layout.
    std::vector<std::uint16_t> codes;
};
