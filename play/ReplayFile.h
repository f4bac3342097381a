#pragma once

#include <string>

#include "play/Replay.h"

// The bytes a replay is kept as: the header with its play settings, the keys
// as runs, the digests and the checked trailer, and the reasons a file that
// is damaged or from another version is refused. The form is described in
// docs/MAINTAINERS.md.
class ReplayFile {
public:
    static std::string encode(const Replay& replay);
    // Fills replay from bytes; false with the reason in why when they are not
    // a whole, undamaged replay of this game's version.
    static bool decode(const std::string& bytes, Replay& replay, std::string& why);
    static bool read(const std::string& path, Replay& replay, std::string& why);
    // Written whole under a temporary name, then renamed over path; false
    // (and the old file kept) when any step fails.
    static bool write(const std::string& path, const Replay& replay);
};
