// Preloaded into the game by the end-to-end gamepad test. A FIFO stands in for
// a joystick device of the kernel's joystick interface: the test writes the
// device's events into it, and this answers the questions the library's
// driver asks of a device before reading it, as an Xbox-style pad would:
// eight axes (the D-pad as the last two) and eleven buttons, which its button
// map gives the standard layout's codes.
// The library's driver reads a device until it is empty at each poll and
// keeps only where each button ended. A player holds a button for several
// polls, but the test's release follows its press by a tenth of a second, and
// a game stalled that long on a loaded machine would read both in one poll
// and never see the press. So the FIFO gives one event a poll: after each
// event the next read finds the device empty.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <linux/input-event-codes.h>
#include <linux/joystick.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr unsigned char AXES = 8;
constexpr unsigned char BUTTONS = 11;
constexpr int DRIVER_VERSION = 0x020100;
const char NAME[] = "Wispen test pad";
const __u16 BUTTON_MAP[BUTTONS] = {BTN_A,      BTN_B,     BTN_X,    BTN_Y,      BTN_TL,    BTN_TR,
                                   BTN_SELECT, BTN_START, BTN_MODE, BTN_THUMBL, BTN_THUMBR};

bool isFifo(int fd)
{
    struct stat info;
    return fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode);
}

// A FIFO with a name in the file system: the device, never one of the
// game's own pipes.
bool isPad(int fd)
{
    if (!isFifo(fd))
        return false;
    char link[32];
    char path[2];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    return readlink(link, path, sizeof path) > 0 && path[0] == '/';
}

bool isNameRequest(unsigned long request)
{
    return _IOC_TYPE(request) == 'j' && _IOC_NR(request) == _IOC_NR(JSIOCGNAME(0));
}

// The answer for a question to the FIFO, or -1 when it is not one of the
// joystick interface's.
int answer(unsigned long request, void* arg)
{
    if (request == JSIOCGAXES) {
        *static_cast<unsigned char*>(arg) = AXES;
        return 0;
    }
    if (request == JSIOCGBUTTONS) {
        *static_cast<unsigned char*>(arg) = BUTTONS;
        return 0;
    }
    if (request == JSIOCGBTNMAP) {
        std::memset(arg, 0, _IOC_SIZE(JSIOCGBTNMAP));
        std::memcpy(arg, BUTTON_MAP, sizeof BUTTON_MAP);
        return 0;
    }
    if (request == JSIOCGVERSION) {
        *static_cast<int*>(arg) = DRIVER_VERSION;
        return 0;
    }
    if (isNameRequest(request)) {
        const size_t room = _IOC_SIZE(request);
        if (room == 0)
            return 0;
        std::strncpy(static_cast<char*>(arg), NAME, room - 1);
        static_cast<char*>(arg)[room - 1] = '\0';
        return static_cast<int>(std::strlen(static_cast<char*>(arg)));
    }
    return -1;
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...)
{
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    if (isFifo(fd)) {
        const int answered = answer(request, arg);
        if (answered >= 0)
            return answered;
    }
    using Ioctl = int (*)(int, unsigned long, ...);
    static const Ioctl real = reinterpret_cast<Ioctl>(dlsym(RTLD_NEXT, "ioctl"));
    return real(fd, request, arg);
}

extern "C" ssize_t read(int fd, void* buffer, size_t size)
{
    using Read = ssize_t (*)(int, void*, size_t);
    static const Read real = reinterpret_cast<Read>(dlsym(RTLD_NEXT, "read"));
    static bool pollEnded[FD_SETSIZE];
    const bool pad = fd >= 0 && fd < FD_SETSIZE && isPad(fd);
    if (!pad)
        return real(fd, buffer, size);
    if (pollEnded[fd]) {
        pollEnded[fd] = false;
        errno = EAGAIN;
        return -1;
    }
    const ssize_t got = real(fd, buffer, size < sizeof(js_event) ? size : sizeof(js_event));
    pollEnded[fd] = got > 0;
    return got;
}
