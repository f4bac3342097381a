#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "ui/MenuItemEdit.h"

struct PACKFILE;

// The file and its password. The password only scrambles the bytes; it is
// set while the file is open and cleared right after, so the datafile and the
// configuration file are never read through it.
constexpr const char* HIGH_SCORE_FILE = "wispen.hsc";
constexpr const char* HIGH_SCORE_PASSWORD = "QZKVTMDL";

// One ranked result. The name holds at most NAME_LENGTH bytes followed by
// zero bytes; the last byte is always zero, so it is also a C string.
struct HighScoreEntry {
    HighScoreEntry(const char* name, std::int32_t score);

    // As the list shows it: the name, dots and the score in eight digits.
    std::string listLine() const;

    char name[NAME_LENGTH + 1];
    std::int32_t score;
};

// The eight best results, read from the high-score file when constructed and,
// unless it is only read, written back to it when destroyed. Each user builds
// one for a single decision (does a score qualify? insert a name and list the
// table), so there is no cache to fall out of step with the file.
class HighScoreTable {
public:
    using EntryList = std::list<std::unique_ptr<HighScoreEntry>>;

    static constexpr int CAPACITY = 8;

    // The play screen's decision and the list write the table back, which
    // also makes a damaged file whole again; a reader that only looks up an
    // entry leaves the file as it is.
    enum Access { WriteBack, ReadOnly };

    // Loads fileName, or the default table when it cannot be opened or is not
    // a regular file.
    explicit HighScoreTable(const char* fileName, Access access = WriteBack);
    // With WriteBack, rewrites the whole file, also when the table was only
    // queried, through a FileSave: a file the player made read-only or a
    // special file stays.
    ~HighScoreTable();

    HighScoreTable(const HighScoreTable&) = delete;
    HighScoreTable& operator=(const HighScoreTable&) = delete;

    // Strictly better than the last entry; a tie does not enter the table.
    bool qualifies(std::int32_t score) const;
    // Ranks the entry below every entry with the same score and drops the
    // last one. Callers check qualifies first.
    void insert(const char* name, std::int32_t score);
    // Best first.
    const EntryList& getEntries() const;

private:
    void clear();
    void fillDefaults();
    void load(PACKFILE* file);
    void save(PACKFILE* file) const;
    void writeFile() const;
    // The stream through the packfile layer into path; true once it is all on disk.
    bool writeWhole(const char* path) const;

    EntryList entries;
    std::string fileName;
    Access access;
};
