#include "play/ReplayFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "files/FileSave.h"

namespace {

const char MAGIC[4] = {'W', 'S', 'P', 'R'};
// Magic, format version, game version and seed; the play settings follow.
constexpr std::size_t SETTINGS_AT = 12;
constexpr std::size_t SETTING_SIZE = 4;  // a 32-bit integer or float
// Final score, tick count and checksum.
constexpr std::size_t TRAILER_SIZE = 12;
// A run's length takes seven bits a byte; five bytes hold any 32-bit count.
constexpr int MAX_LENGTH_BYTES = 5;
// From format 2 on, the runs end at the tick count, and the digests follow:
// their count, then each digest's quantities.
constexpr std::uint16_t DIGESTS_FROM = 2;
constexpr std::size_t DIGEST_COUNT_SIZE = 4;
constexpr std::size_t DIGEST_SIZE = 4 * Replay::QUANTITY_COUNT;

constexpr std::size_t headerSize()
{
    std::size_t size = SETTINGS_AT;
    Replay::forEachPlaySetting([&size](const char*, auto, auto) { size += SETTING_SIZE; });
    return size;
}

constexpr std::size_t HEADER_SIZE = headerSize();
// The file form is fixed: the header keeps its size whatever the code does.
static_assert(HEADER_SIZE == 52, "the replay header is 52 bytes");

// CRC-32 as zlib and PNG compute it (reflected, polynomial 0xEDB88320).
std::uint32_t crc32(const std::string& bytes, std::size_t size)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; i++) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; bit++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putU32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

void putU16(std::string& out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFFu));
    out.push_back(static_cast<char>(value >> 8));
}

void putField(std::string& out, std::int32_t value) { putU32(out, static_cast<std::uint32_t>(value)); }

void putField(std::string& out, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, bits);
}

void putLength(std::string& out, std::uint32_t length)
{
    while (length >= 0x80u) {
        out.push_back(static_cast<char>((length & 0x7Fu) | 0x80u));
        length >>= 7;
    }
    out.push_back(static_cast<char>(length));
}

// Reads little-endian fields from a byte string; every read is checked
// against the end the reader was given.
class Reader {
public:
    Reader(const std::string& bytes, std::size_t end) : bytes(bytes), end(end) {}

    std::uint32_t u32(std::size_t at) const
    {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; i--)
            value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
        return value;
    }
    std::uint16_t u16(std::size_t at) const
    {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                          (static_cast<unsigned char>(bytes[at + 1]) << 8));
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    float f32(std::size_t at) const
    {
        std::uint32_t bits = u32(at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    void field(std::size_t at, std::int32_t& value) const { value = i32(at); }
    void field(std::size_t at, float& value) const { value = f32(at); }
    bool atEnd() const { return pos >= end; }
    std::size_t left() const { return end - pos; }
    std::uint32_t nextU32()
    {
        pos += 4;
        return u32(pos - 4);
    }
    unsigned char byte() { return static_cast<unsigned char>(bytes[pos++]); }
    // False at a length that runs past the end or past 32 bits.
    bool length(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < MAX_LENGTH_BYTES; i++) {
            if (atEnd())
                return false;
            unsigned char b = byte();
            std::uint64_t part = static_cast<std::uint64_t>(b & 0x7Fu) << (7 * i);
            if (part > 0xFFFFFFFFu)
                return false;
            value |= static_cast<std::uint32_t>(part);
            if (!(b & 0x80u))
                return true;
        }
        return false;
    }

    std::size_t pos = HEADER_SIZE;

private:
    const std::string& bytes;
    std::size_t end;
};

// The name of the first recorded setting the play logic could not have used
// as it stands, or null when all are usable.
const char* settingOutOfRange(const Settings& play)
{
    const char* outOfRange = nullptr;
    Replay::forEachPlaySetting([&](const char* name, auto field, auto usable) {
        // A float that is not a number equals nothing, so it is caught too.
        if (!outOfRange && !(usable(play.*field) == play.*field))
            outOfRange = name;
    });
    return outOfRange;
}

void encodeTicks(std::string& out, const std::vector<std::uint8_t>& ticks)
{
    for (std::size_t i = 0; i < ticks.size();) {
        std::size_t run = i;
        while (run < ticks.size() && ticks[run] == ticks[i])
            run++;
        out.push_back(static_cast<char>(ticks[i]));
        putLength(out, static_cast<std::uint32_t>(run - i));
        i = run;
    }
}

// Format 1 has nothing after the runs; a later one stops at the tick count.
bool decodeTicks(Reader& reader, std::uint32_t count, bool stopAtCount, std::vector<std::uint8_t>& ticks,
                 std::string& why)
{
    ticks.clear();
    ticks.reserve(count);
    while (!reader.atEnd() && !(stopAtCount && ticks.size() == count)) {
        unsigned keys = reader.byte();
        std::uint32_t length = 0;
        if (keys > Replay::TICK_BITS || !reader.length(length) || length == 0) {
            why = "a run of its inputs is damaged";
            return false;
        }
        if (length > count - ticks.size()) {
            why = "its inputs run past its tick count";
            return false;
        }
        ticks.insert(ticks.end(), length, static_cast<std::uint8_t>(keys));
    }
    if (ticks.size() != count) {
        why = "its inputs end before its tick count";
        return false;
    }
    return true;
}

void encodeDigests(std::string& out, const std::vector<Replay::Digest>& digests)
{
    putU32(out, static_cast<std::uint32_t>(digests.size()));
    for (const Replay::Digest& digest : digests)
        for (std::uint32_t part : digest)
            putU32(out, part);
}

// A recording keeps one digest for every whole interval it played, no more
// and no fewer, and nothing follows them.
bool decodeDigests(Reader& reader, std::uint32_t tickCount, std::vector<Replay::Digest>& digests, std::string& why)
{
    if (reader.left() < DIGEST_COUNT_SIZE) {
        why = "its digests are cut short";
        return false;
    }
    const std::uint32_t count = reader.nextU32();
    const std::uint32_t expected = tickCount / Replay::CHECK_INTERVAL;
    if (count > expected) {
        why = "its digests claim " + std::to_string(count) + " checks, more than its " + std::to_string(tickCount) +
              " ticks hold";
        return false;
    }
    if (count < expected) {
        why = "its digests end before its tick count";
        return false;
    }
    if (reader.left() != count * DIGEST_SIZE) {
        why = reader.left() < count * DIGEST_SIZE ? "its digests are cut short" : "bytes follow its digests";
        return false;
    }
    digests.resize(count);
    for (Replay::Digest& digest : digests)
        for (std::uint32_t& part : digest)
            part = reader.nextU32();
    return true;
}

} // namespace

std::string ReplayFile::encode(const Replay& replay)
{
    std::string out(MAGIC, sizeof MAGIC);
    putU16(out, replay.formatVersion);
    putU16(out, replay.gameVersion);
    putU32(out, replay.seed);
    Replay::forEachPlaySetting([&](const char*, auto field, auto) { putField(out, replay.play.*field); });
    encodeTicks(out, replay.ticks);
    if (replay.formatVersion >= DIGESTS_FROM)
        encodeDigests(out, replay.digests);
    putField(out, replay.finalScore);
    putU32(out, replay.tickCount());
    putU32(out, crc32(out, out.size()));
    return out;
}

bool ReplayFile::decode(const std::string& bytes, Replay& replay, std::string& why)
{
    if (bytes.empty()) {
        why = "the file is empty";
        return false;
    }
    std::size_t prefix = std::min(bytes.size(), sizeof MAGIC);
    if (bytes.compare(0, prefix, MAGIC, prefix) != 0) {
        why = "the file is not a Wispen replay";
        return false;
    }
    if (bytes.size() < HEADER_SIZE + TRAILER_SIZE) {
        why = "the replay is cut short";
        return false;
    }
    const std::size_t body = bytes.size() - TRAILER_SIZE;
    Reader reader(bytes, body);
    if (crc32(bytes, bytes.size() - 4) != reader.u32(bytes.size() - 4)) {
        why = "the replay is damaged or cut short (its checksum does not match)";
        return false;
    }
    const std::uint16_t format = reader.u16(4);
    if (format < Replay::FIRST_FORMAT || format > Replay::FORMAT_VERSION) {
        why = "the replay is in another file format (version " + std::to_string(reader.u16(4)) + ")";
        return false;
    }
    if (reader.u16(6) != GAME_VERSION) {
        why = "the replay was recorded by another version of the game, under other rules (version " +
              std::to_string(reader.u16(6)) + "; this build plays version " + std::to_string(GAME_VERSION) + ")";
        return false;
    }
    Replay result;
    result.formatVersion = format;
    result.gameVersion = reader.u16(6);
    result.seed = reader.u32(8);
    std::size_t at = SETTINGS_AT;
    Replay::forEachPlaySetting([&](const char*, auto field, auto) {
        reader.field(at, result.play.*field);
        at += SETTING_SIZE;
    });
    if (const char* setting = settingOutOfRange(result.play)) {
        why = std::string("the replay's setting ") + setting + " is out of range";
        return false;
    }
    result.finalScore = reader.i32(body);
    std::uint32_t count = reader.u32(body + 4);
    if (count > Replay::MAX_TICKS) {
        why = "the replay claims " + std::to_string(count) + " ticks, more than any game lasts";
        return false;
    }
    const bool digested = format >= DIGESTS_FROM;
    if (!decodeTicks(reader, count, digested, result.ticks, why) ||
        (digested && !decodeDigests(reader, count, result.digests, why))) {
        why = "the replay is damaged: " + why;
        return false;
    }
    replay = std::move(result);
    return true;
}

bool ReplayFile::read(const std::string& path, Replay& replay, std::string& why)
{
    // A FIFO or a device would block the read or never end it.
    if (!isRegularFile(path.c_str())) {
        why = access(path.c_str(), F_OK) == 0 ? path + " is not a regular file" : "cannot open " + path;
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = "cannot open " + path;
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        why = "cannot read " + path;
        return false;
    }
    return decode(bytes, replay, why);
}

bool ReplayFile::write(const std::string& path, const Replay& replay)
{
    const std::string bytes = encode(replay);
    FileSave save(path.c_str());
    if (!save.allowed())
        return false;
    std::FILE* out = std::fopen(save.path(), "wb");
    if (!out)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    written = std::fclose(out) == 0 && written;
    return written && save.commit();
}
