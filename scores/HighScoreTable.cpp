#include "scores/HighScoreTable.h"

#include "files/FileSave.h"

#include <algorithm>
#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

const char* const DEFAULT_NAME = "nobody  ";
constexpr std::int32_t DEFAULT_SCORE_STEP = 1000;
// On disk a record is the name's bytes and the score as four bytes; the file
// has no header, so the stream and the file have the same length.
constexpr long SCORE_BYTES = 4;
constexpr long RECORD_SIZE = NAME_LENGTH + SCORE_BYTES;
// The longest line: 8 name characters, " ...... ", a sign and ten digits, and
// the terminator.
constexpr int LINE_SIZE = 32;

// The password is library-wide state: it must never be left set for the
// datafile or the configuration file, so it lives exactly as long as the
// high-score file is open.
class PasswordScope {
public:
    PasswordScope() { packfile_password(HIGH_SCORE_PASSWORD); }
    ~PasswordScope() { packfile_password(nullptr); }
    PasswordScope(const PasswordScope&) = delete;
    PasswordScope& operator=(const PasswordScope&) = delete;
};

// pack_fclose does not report a failed final flush, so the length on disk is
// what proves that the whole table arrived.
bool isCompleteOnDisk(const char* path, long size)
{
    struct stat info;
    return stat(path, &info) == 0 && info.st_size == size;
}

} // namespace

HighScoreEntry::HighScoreEntry(const char* source, std::int32_t points)
    : score(points)
{
    // Bytes, not characters: a name read from a damaged or foreign file need
    // not be valid text in the library's current encoding, and the read buffer
    // carries no terminator, so nothing past NAME_LENGTH bytes is looked at.
    std::size_t length = strnlen(source, NAME_LENGTH);
    std::memcpy(name, source, length);
    std::memset(name + length, 0, sizeof(name) - length);
}

std::string HighScoreEntry::listLine() const
{
    char line[LINE_SIZE];
    // Plain bytes: a damaged file's name can hold sequences that the
    // library's own formatter, decoding them as UTF-8, never gets past.
    std::snprintf(line, sizeof line, "%s ...... %08d", name, static_cast<int>(score));
    return line;
}

HighScoreTable::HighScoreTable(const char* path, Access access)
    : fileName(path), access(access)
{
    PasswordScope password;
    PACKFILE* file = isRegularFile(fileName.c_str()) ? pack_fopen(fileName.c_str(), "r") : nullptr;
    if (file) {
        load(file);
        pack_fclose(file);
    } else {
        fillDefaults();
    }
}

HighScoreTable::~HighScoreTable()
{
    if (access == WriteBack)
        writeFile();
}

bool HighScoreTable::qualifies(std::int32_t score) const
{
    return score > entries.back()->score;
}

void HighScoreTable::insert(const char* name, std::int32_t score)
{
    auto below = std::find_if(entries.begin(), entries.end(),
                              [score](const auto& entry) { return entry->score < score; });
    entries.insert(below, std::make_unique<HighScoreEntry>(name, score));
    // When the new score ranked last, this drops the new entry itself.
    entries.pop_back();
}

const HighScoreTable::EntryList& HighScoreTable::getEntries() const
{
    return entries;
}

void HighScoreTable::clear()
{
    entries.clear();
}

void HighScoreTable::fillDefaults()
{
    clear();
    for (int i = 0; i < CAPACITY; i++)
        entries.push_back(std::make_unique<HighScoreEntry>(DEFAULT_NAME, (CAPACITY - i) * DEFAULT_SCORE_STEP));
}

void HighScoreTable::load(PACKFILE* file)
{
    clear();
    // One buffer serves every record, so in a short file the bytes that are
    // missing keep what the record before left; the scores read as -1 there.
    char name[NAME_LENGTH] = {};
    for (int i = 0; i < CAPACITY; i++) {
        pack_fread(name, NAME_LENGTH, file);
        // pack_igetl gives the four bytes as an unsigned value in a long.
        auto score = static_cast<std::int32_t>(static_cast<std::uint32_t>(pack_igetl(file)));
        entries.push_back(std::make_unique<HighScoreEntry>(name, score));
    }
}

void HighScoreTable::save(PACKFILE* file) const
{
    for (const auto& entry : entries) {
        pack_fwrite(entry->name, NAME_LENGTH, file);
        pack_iputl(entry->score, file);
    }
}

// The table is written whole or not at all: into a file beside the old one,
// which replaces it only once complete, so a crash or a full disk during the
// write leaves the previous table instead of a truncated one. Failures are
// not reported; the old file simply stays.
void HighScoreTable::writeFile() const
{
    FileSave save(fileName.c_str());
    if (save.allowed() && writeWhole(save.path()))
        save.commit();
}

bool HighScoreTable::writeWhole(const char* path) const
{
    bool written;
    {
        PasswordScope password;
        PACKFILE* file = pack_fopen(path, "w");
        if (!file)
            return false;
        save(file);
        written = !pack_ferror(file);
        written = pack_fclose(file) == 0 && written;
    }
    return written && isCompleteOnDisk(path, CAPACITY * RECORD_SIZE);
}
