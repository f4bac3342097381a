#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "desktop/CloseSignals.h"

// In a child process each time: the handlers stay for the rest of a process.
namespace {

// The child's status after installing the handlers and raising signal times.
int statusAfterRaising(int signal, int times)
{
    pid_t child = fork();
    if (child == 0) {
        closeRequested = false;
        installCloseSignals();
        for (int i = 0; i < times; i++)
            std::raise(signal);
        _exit(closeRequested ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return status;
}

} // namespace

TEST(CloseSignals, OneAsksTheLoopToStopAndASecondEndsTheProcessByTheSignal)
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        int once = statusAfterRaising(signal, 1);
        ASSERT_TRUE(WIFEXITED(once)) << "signal " << signal;
        EXPECT_EQ(0, WEXITSTATUS(once)) << "signal " << signal;
        int twice = statusAfterRaising(signal, 2);
        ASSERT_TRUE(WIFSIGNALED(twice)) << "signal " << signal;
        EXPECT_EQ(signal, WTERMSIG(twice));
    }
}
