#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// The library looks for joysticks only while its driver is installed. This
// watches whether the device file the driver reads is there, without opening
// anything, and installs the driver when one appears and removes it when the
// file goes: a pad plugged in at any time is found, one pulled out holds
// nothing from the next tick on. The kernel tells of a file made, removed or
// given new rights in the device's folder; a look once a second catches what
// it cannot tell (a folder made only after the start, no notification at
// all). Owned by the gamepad.
class PadWatch {
public:
    PadWatch() = default;
    PadWatch(const PadWatch&) = delete;
    PadWatch& operator=(const PadWatch&) = delete;
    ~PadWatch();

    // The device the driver would read: [joystick] joystick_device_0 or
    // joystick_device in the current configuration, otherwise /dev/input/js0
    // or, where that is missing, /dev/js0. Installs the driver if it is there.
    void start(int ticksPerLook);
    // One call per tick: one read that finds nothing on most ticks, and a
    // look when it found news of the device or on every ticksPerLook-th.
    void tick()
    {
        if (!watching)
            return;
        const bool told = heard();
        if (--countdown <= 0 || told)
            look();
    }
    // Watching, and the driver is out: whatever the library's joystick
    // state still says, no pad is there.
    bool padGone() const { return watching && !driverIn; }
    // How many times the driver has taken a device, and the last one's path:
    // a new count is a pad that may have other buttons.
    int installs() const { return installCount; }
    const std::string& device() const { return seen.path; }

private:
    // The file as stat found it; a pad plugged in again is a new file.
    struct Identity {
        bool present = false;
        dev_t device = 0;
        ino_t inode = 0;
        dev_t node = 0;
        std::string path;
        bool operator==(const Identity& other) const;
    };

    void listen();
    bool heard();
    bool isDevice(const char* name) const;
    void look();
    Identity find() const;
    void install(const Identity& found);
    void remove();

    std::vector<std::string> devices;  // the driver's choices, in its order
    int notices = -1;                  // the kernel's notifications, or -1
    int ticksPerLook = 0;
    int countdown = 0;
    bool watching = false;
    bool driverIn = false;
    int installCount = 0;
    Identity seen;
};
