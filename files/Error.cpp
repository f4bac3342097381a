#include "files/Error.h"

namespace {

const char* const MESSAGES[] = {
    "No error.\n",
    "Error: initializing Allegro!\n",
    "Error: installing keyboard module!\n",
    "Error: installing mouse module!\n",
    "Error: installing timer module!\n",
    "Error: initializing graphics mode!\n",
    "Error: installing sound module!\n",
    "Error: ran out of memory!!!\n",
    "Error: ran out of video memory!\n",
    "Error: triple buffering unavailable!\n",
    "Error: couldn't load all data!\n",
    "An unknown error occured!\n",
    "Wispen is already running.\n",
};
constexpr int MESSAGE_COUNT = sizeof MESSAGES / sizeof MESSAGES[0];

} // namespace

Error::Error(int code) : code(code) {}

Error::~Error() = default;

const char* Error::message() const
{
    // Codes come only from ErrorCode; the guard keeps a stray value readable.
    if (code < 0 || code >= MESSAGE_COUNT)
        return MESSAGES[UnknownError];
    return MESSAGES[code];
}

bool Error::failed() const { return code != NoError; }
