#pragma once

#include <string>
#include <sys/types.h>

// Whether path names a regular file, directly or through links. Every file the
// game opens passes this first: a FIFO, a device or a directory in a data
// file's place would block open or feed endless bytes, so it counts as missing.
bool isRegularFile(const char* path);

// One save of a player's file, whole or not at all, that respects what the
// player made of the name. A link is followed and the file is saved beside its
// target; a file without any write bit, one the game may not write, or
// something that is not a regular file is left exactly as it is. The new
// contents go into a temporary file that replaces the old one, keeping its
// mode and (for root) its owner, once the caller commits it. Where no
// temporary file can be made but the file itself is writable, the contents are
// written straight into the file. Owned by the function that saves; an
// uncommitted temporary file is removed when the save ends.
class FileSave {
public:
    explicit FileSave(const char* fileName);
    ~FileSave();
    FileSave(const FileSave&) = delete;
    FileSave& operator=(const FileSave&) = delete;

    // False when the file is to be left alone; then nothing may be written.
    bool allowed() const;
    // Where the caller writes the whole new contents.
    const char* path() const;
    // Puts the written contents in the file's place: syncs the temporary file,
    // gives it the old file's mode and owner and renames it over the target.
    // True when the contents are now the file's.
    bool commit();

private:
    void prepare();
    bool openTemporary();

    std::string target;
    std::string temporary;
    std::string writePath;
    bool replacing = false;
    bool committed = false;
    mode_t oldMode = 0;
    uid_t oldOwner = 0;
    gid_t oldGroup = 0;
};
