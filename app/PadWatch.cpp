#include "app/PadWatch.h"

#include <allegro.h>
#include <sys/stat.h>

namespace {

const char* const KERNEL_DEVICES[] = {"/dev/input/js0", "/dev/js0"};

} // namespace

bool PadWatch::Identity::operator==(const Identity& other) const
{
    return present == other.present && device == other.device && inode == other.inode && node == other.node;
}

void PadWatch::start(int ticks)
{
    const char* name = get_config_string("joystick", "joystick_device_0", nullptr);
    if (!name)
        name = get_config_string("joystick", "joystick_device", nullptr);
    configured = name ? name : "";
    ticksPerLook = ticks > 0 ? ticks : 1;
    watching = true;
    look();
}

void PadWatch::look()
{
    countdown = ticksPerLook;
    const Identity found = find();
    if (!found.present) {
        if (driverIn)
            remove();
        seen = found;
        return;
    }
    // A device that could not be opened is tried again: the system often
    // grants access to a new device a moment after it appears.
    if (!driverIn || !(found == seen))
        install(found);
}

PadWatch::Identity PadWatch::find() const
{
    Identity identity;
    struct stat info;
    bool present = false;
    if (!configured.empty()) {
        present = stat(configured.c_str(), &info) == 0;
    } else {
        for (const char* path : KERNEL_DEVICES)
            if (!present)
                present = stat(path, &info) == 0;
    }
    if (present) {
        identity.present = true;
        identity.device = info.st_dev;
        identity.inode = info.st_ino;
        identity.node = info.st_rdev;
    }
    return identity;
}

void PadWatch::install(const Identity& found)
{
    remove();
    seen = found;
    driverIn = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks > 0;
    if (!driverIn)
        remove_joystick();
}

void PadWatch::remove()
{
    remove_joystick();
    driverIn = false;
}
