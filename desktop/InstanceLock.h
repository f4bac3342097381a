#pragma once

// One game a player: a lock on a file in the working directory, held for as
// long as this object lives. The system lets go of it when the process ends
// however it ends, so a crash leaves no stale lock behind.
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another process holds the lock on fileName. A directory
    // where the file can be neither made nor opened cannot say, and the game
    // runs there unguarded rather than not at all.
    bool take(const char* fileName);

private:
    int fd = -1;
};
