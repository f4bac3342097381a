#include "input/PadWatch.h"

#include <allegro.h>
#include <cstring>
#include <iterator>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const KERNEL_DEVICES[] = {"/dev/input/js0", "/dev/js0"};

// A device node comes, goes, is renamed, or is given the rights to open it,
// often a moment after it comes.
constexpr uint32_t DEVICE_CHANGES = IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;

// Room for many notifications at once; each is read whole or not at all.
constexpr size_t NOTICE_ROOM = 4096;

std::string::size_type lastSlash(const std::string& path) { return path.rfind('/'); }

std::string folderOf(const std::string& path)
{
    const auto slash = lastSlash(path);
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

const char* nameOf(const std::string& path)
{
    const auto slash = lastSlash(path);
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

} // namespace

bool PadWatch::Identity::operator==(const Identity& other) const
{
    return present == other.present && device == other.device && inode == other.inode && node == other.node;
}

PadWatch::~PadWatch()
{
    if (notices >= 0)
        close(notices);
}

void PadWatch::start(int ticks)
{
    const char* name = get_config_string("joystick", "joystick_device_0", nullptr);
    if (!name)
        name = get_config_string("joystick", "joystick_device", nullptr);
    if (name && *name)
        devices = {name};
    else
        devices.assign(std::begin(KERNEL_DEVICES), std::end(KERNEL_DEVICES));
    ticksPerLook = ticks > 0 ? ticks : 1;
    watching = true;
    listen();
    look();
}

// A folder that cannot be watched, or no notifications at all, leaves the
// look once a second to find the device there.
void PadWatch::listen()
{
    if (notices < 0)
        notices = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notices < 0)
        return;
    for (const std::string& path : devices)
        inotify_add_watch(notices, folderOf(path).c_str(), DEVICE_CHANGES);
}

bool PadWatch::heard()
{
    if (notices < 0)
        return false;
    alignas(inotify_event) char notes[NOTICE_ROOM];
    bool told = false;
    ssize_t length;
    while ((length = read(notices, notes, sizeof notes)) > 0) {
        for (ssize_t at = 0; at < length;) {
            const auto* note = reinterpret_cast<const inotify_event*>(notes + at);
            // An overflow lost notes that may have been about the device.
            told = told || (note->mask & IN_Q_OVERFLOW) != 0 || (note->len > 0 && isDevice(note->name));
            at += static_cast<ssize_t>(sizeof(inotify_event) + note->len);
        }
    }
    return told;
}

bool PadWatch::isDevice(const char* name) const
{
    for (const std::string& path : devices)
        if (std::strcmp(nameOf(path), name) == 0)
            return true;
    return false;
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
    for (const std::string& path : devices) {
        if (stat(path.c_str(), &info) == 0) {
            identity.present = true;
            identity.device = info.st_dev;
            identity.inode = info.st_ino;
            identity.node = info.st_rdev;
            identity.path = path;
            return identity;
        }
    }
    return identity;
}

void PadWatch::install(const Identity& found)
{
    remove();
    seen = found;
    driverIn = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks > 0;
    if (driverIn)
        installCount++;
    else
        remove_joystick();
}

void PadWatch::remove()
{
    remove_joystick();
    driverIn = false;
}
