#include "files/FileSave.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The kernel's own limit on links followed in one lookup.
constexpr int MAX_LINKS = 40;
const char* const TEMP_SUFFIX = ".tmp";
constexpr mode_t ANY_WRITE_BIT = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t PRIVATE_MODE = S_IRUSR | S_IWUSR;
constexpr mode_t NEW_FILE_MODE = PRIVATE_MODE | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;

std::string directoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The name at the end of every link, also of a dangling one, whose target is
// then created: a link points at where the player keeps the file.
std::string linkTarget(std::string path)
{
    for (int i = 0; i < MAX_LINKS; i++) {
        char buffer[PATH_MAX];
        ssize_t length = readlink(path.c_str(), buffer, sizeof buffer - 1);
        if (length < 0)
            return path;
        std::string next(buffer, static_cast<size_t>(length));
        path = next.front() == '/' ? next : directoryOf(path) + next;
    }
    return path;
}

} // namespace

bool isRegularFile(const char* path)
{
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

FileSave::FileSave(const char* fileName)
    : target(linkTarget(fileName))
{
    prepare();
}

FileSave::~FileSave()
{
    if (!temporary.empty() && !committed)
        unlink(temporary.c_str());
}

void FileSave::prepare()
{
    struct stat old;
    replacing = lstat(target.c_str(), &old) == 0;
    if (replacing) {
        // Root may write any file: the bits are the player's word, not only
        // the kernel's check.
        if (!S_ISREG(old.st_mode) || (old.st_mode & ANY_WRITE_BIT) == 0 ||
            faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return;
        oldMode = old.st_mode & 07777;
        oldOwner = old.st_uid;
        oldGroup = old.st_gid;
    }
    if (openTemporary())
        writePath = temporary;
    else if (replacing)
        writePath = target;
}

bool FileSave::openTemporary()
{
    // A temporary file left by a crash is started afresh, never written through.
    std::string name = target + TEMP_SUFFIX;
    unlink(name.c_str());
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, replacing ? PRIVATE_MODE : NEW_FILE_MODE);
    if (fd < 0)
        return false;
    close(fd);
    temporary = name;
    return true;
}

bool FileSave::allowed() const { return !writePath.empty(); }

const char* FileSave::path() const { return writePath.c_str(); }

bool FileSave::commit()
{
    if (!allowed())
        return false;
    if (temporary.empty())
        return true;
    int fd = open(temporary.c_str(), O_RDONLY | O_NOFOLLOW);
    if (fd < 0)
        return false;
    // Syncing before the rename keeps a power cut from leaving an empty file
    // under the old name. The owner goes first: changing it clears set-id bits.
    bool ready = fsync(fd) == 0;
    if (ready && replacing) {
        if (geteuid() == 0)
            ready = fchown(fd, oldOwner, oldGroup) == 0;
        ready = ready && fchmod(fd, oldMode) == 0;
    }
    close(fd);
    committed = ready && std::rename(temporary.c_str(), target.c_str()) == 0;
    return committed;
}
