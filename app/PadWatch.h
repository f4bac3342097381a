#pragma once

#include <string>
#include <sys/types.h>

// The library looks for joysticks only while its driver is installed. This
// looks once a second, without opening anything, whether the device file the
// driver reads is there, and installs the driver when one appears and removes
// it when the file goes: a pad plugged in at any time is found, one pulled out
// holds nothing. Owned by the gamepad.
class PadWatch {
public:
    // The device the driver would read: [joystick] joystick_device_0 or
    // joystick_device in the current configuration, otherwise /dev/input/js0
    // or, where that is missing, /dev/js0. Installs the driver if it is there.
    void start(int ticksPerLook);
    // One call per tick; looks on every ticksPerLook-th. The rest of the ticks
    // cost one count.
    void tick()
    {
        if (watching && --countdown <= 0)
            look();
    }
    // Watching, and the driver is out: whatever the library's joystick
    // state still says, no pad is there.
    bool padGone() const { return watching && !driverIn; }

private:
    // The file as stat found it; a pad plugged in again is a new file.
    struct Identity {
        bool present = false;
        dev_t device = 0;
        ino_t inode = 0;
        dev_t node = 0;
        bool operator==(const Identity& other) const;
    };

    void look();
    Identity find() const;
    void install(const Identity& found);
    void remove();

    std::string configured;  // empty: the kernel's usual names
    int ticksPerLook = 0;
    int countdown = 0;
    bool watching = false;
    bool driverIn = false;
    Identity seen;
};
