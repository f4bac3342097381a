#include "desktop/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::~InstanceLock()
{
    if (fd >= 0)
        close(fd);
}

bool InstanceLock::take(const char* fileName)
{
    // A lock file left by another player in a shared directory may be
    // readable only; flock does not care.
    fd = open(fileName, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        fd = open(fileName, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return true;
    int locked;
    do
        locked = flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    return locked == 0 || errno != EWOULDBLOCK;
}
