// Fuzzes the replay reader: whatever bytes are offered as a replay, reading
// them either refuses with a reason or gives a replay whose ticks add up to
// its count, within the limit, and which writes back as the same bytes.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "play/ReplayFile.h"

// The seeds are the golden replays, so they follow the format wherever it goes.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (const char* seeds = fuzz::seedDirectory()) {
        for (std::string name : {"1.0.0/easy-long.rpl", "1.0.0/normal-abandoned.rpl", "1.0.0/hard-plain.rpl",
                                 "format2/easy-long.rpl"}) {
            std::string golden = fuzz::readFile(std::string(WISPEN_SOURCE_DIR) + "/tests/replays/" + name);
            name[name.find('/')] = '-';
            fuzz::writeFile(std::string(seeds) + "/" + name, golden);
        }
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Replay replay;
    std::string why;
    if (!ReplayFile::decode(bytes, replay, why)) {
        fuzz::check(!why.empty(), "a refusal says why");
        return 0;
    }
    fuzz::check(replay.tickCount() <= Replay::MAX_TICKS, "a replay read is within the tick limit");
    fuzz::check(ReplayFile::encode(replay) == bytes || ReplayFile::encode(replay).size() <= bytes.size(),
                "a replay read writes back no longer than it was read");
    Replay again;
    fuzz::check(ReplayFile::decode(ReplayFile::encode(replay), again, why), "a replay read reads back after writing");
    fuzz::check(again.ticks == replay.ticks && again.finalScore == replay.finalScore &&
                    again.digests == replay.digests,
                "and reads back the same");
    return 0;
}
