#pragma once

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

// Faults a player's machine can have, staged for the length of a scope: a
// place the game may not write to, and a disk that fills up mid-write.

// Takes away the right to write to a file or directory for the rest of the
// scope. Root ignores permission bits, so a root run drops to the nobody
// user for the scope instead; the file was made by root and stays readable.
class WithoutWriteAccess {
public:
    WithoutWriteAccess()
    {
        if (geteuid() == 0)
            dropped = seteuid(NOBODY) == 0;
    }
    ~WithoutWriteAccess()
    {
        if (dropped) {
            EXPECT_EQ(0, seteuid(0));
        }
    }
    bool active() const { return geteuid() != 0; }

private:
    static constexpr uid_t NOBODY = 65534;
    bool dropped = false;
};


// The process may write no file past maxBytes for the rest of the scope;
// writes beyond fail as on a full disk instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t maxBytes)
    {
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        rlimit limit = oldLimit;
        limit.rlim_cur = maxBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        std::signal(SIGXFSZ, oldHandler);
    }

private:
    rlimit oldLimit;
    void (*oldHandler)(int);
};
