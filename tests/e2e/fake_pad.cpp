// Preloaded into the game by the end-to-end gamepad test. A FIFO stands in for
// a joystick device of the kernel's joystick interface: the test writes the
// device's events into it, and this answers the questions the library's
// driver asks of a device before reading it, as an Xbox-style pad would:
// eight axes (the D-pad as the last two) and eleven buttons, which its button
// map gives the standard layout's codes.
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <linux/input-event-codes.h>
#include <linux/joystick.h>
#include <sys/stat.h>

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
