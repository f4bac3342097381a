// Fuzzes the high-score file: whatever bytes lie on disk as wispen.hsc, a
// table built on them answers, takes a new entry, writes itself back and the
// file it wrote reads back as the same table.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "scores/HighScoreTable.h"

namespace {

using Rows = std::vector<std::pair<std::string, std::int32_t>>;

Rows rowsOf(const HighScoreTable& table)
{
    Rows rows;
    for (const auto& entry : table.getEntries())
        rows.emplace_back(std::string(entry->name, sizeof entry->name), entry->score);
    return rows;
}

bool bestFirst(const Rows& rows)
{
    return std::is_sorted(rows.begin(), rows.end(),
                          [](const auto& a, const auto& b) { return a.second > b.second; });
}

void checkShape(const HighScoreTable& table)
{
    fuzz::check(table.getEntries().size() == static_cast<std::size_t>(HighScoreTable::CAPACITY),
                "the table holds exactly its capacity");
    for (const auto& entry : table.getEntries()) {
        fuzz::check(entry != nullptr, "every entry exists");
        fuzz::check(entry->name[NAME_LENGTH] == '\0', "every name is terminated");
        const std::size_t length = std::strlen(entry->name);
        for (std::size_t i = length; i <= NAME_LENGTH; i++)
            fuzz::check(entry->name[i] == '\0', "a name is zero-padded after its end");
    }
}

void checkQualifying(const HighScoreTable& table)
{
    const std::int32_t last = table.getEntries().back()->score;
    fuzz::check(!table.qualifies(last), "a tie with the last entry does not qualify");
    if (last < std::numeric_limits<std::int32_t>::max())
        fuzz::check(table.qualifies(last + 1), "one point above the last entry qualifies");
    if (last > std::numeric_limits<std::int32_t>::min())
        fuzz::check(!table.qualifies(last - 1), "a score below the last entry does not qualify");
}

// The new score ties the entry the input's length points at, or beats the
// best entry: both the ranking among equals and the top place get exercised.
std::int32_t chooseScore(const Rows& rows, std::size_t size)
{
    const std::size_t index = size % (rows.size() + 1);
    if (index < rows.size())
        return rows[index].second;
    const std::int32_t best = rows.front().second;
    return best < std::numeric_limits<std::int32_t>::max() ? best + 1 : best;
}

void checkInsert(HighScoreTable& table, std::size_t size)
{
    const Rows before = rowsOf(table);
    const std::int32_t score = chooseScore(before, size);
    const bool qualified = table.qualifies(score);
    table.insert("FUZZ", score);
    checkShape(table);

    const Rows after = rowsOf(table);
    // The file may already hold the same name and score.
    const auto copiesOfNew = [score](const Rows& rows) {
        return std::count_if(rows.begin(), rows.end(), [score](const auto& row) {
            return row.second == score && std::strcmp(row.first.c_str(), "FUZZ") == 0;
        });
    };
    const bool present = copiesOfNew(after) > copiesOfNew(before);
    // A damaged file may hold its scores in any order, and they are kept as
    // they are; the ranking promises hold for an ordered table.
    if (bestFirst(before)) {
        fuzz::check(bestFirst(after), "an ordered table stays ordered");
        fuzz::check(present == qualified, "a score enters an ordered table exactly when it qualifies");
        if (!qualified)
            fuzz::check(after == before, "a score that does not qualify leaves the table unchanged");
    }
}

void writePackfile(const std::string& path, const char* mode, const char* password, const std::string& stream)
{
    packfile_password(password);
    PACKFILE* file = pack_fopen(path.c_str(), mode);
    fuzz::check(file != nullptr, "a seed packfile can be written");
    pack_fwrite(stream.data(), static_cast<long>(stream.size()), file);
    pack_fclose(file);
    packfile_password(nullptr);
}

void writeSeeds(const std::string& dir)
{
    // With no file yet, a table writes the default one.
    const std::string defaults = dir + "/defaults.hsc";
    { HighScoreTable fresh(defaults.c_str()); }

    const std::string own = dir + "/own.hsc";
    {
        HighScoreTable table(own.c_str());
        table.insert("ZOE", 90000);
        table.insert("AB CD 12", 5000);
        table.insert("LONGERTHANEIGHT", 4500);
    }

    const std::string bytes = fuzz::readFile(defaults);
    fuzz::check(bytes.size() == 8 * 12, "the default table is eight records of twelve bytes");
    fuzz::writeFile(dir + "/short50.hsc", bytes.substr(0, 50));
    fuzz::writeFile(dir + "/empty.hsc", "");
    fuzz::writeFile(dir + "/long.hsc", bytes + bytes.substr(0, 40));

    // The default stream under another password, and packed under ours, so
    // the library's own header detection and unpacking are in play as well.
    std::string stream;
    for (int i = 0; i < 8; i++) {
        char record[12] = "nobody  ";
        const std::int32_t score = (8 - i) * 1000;
        for (int b = 0; b < 4; b++)
            record[8 + b] = static_cast<char>((static_cast<std::uint32_t>(score) >> (8 * b)) & 0xFF);
        stream.append(record, sizeof record);
    }
    writePackfile(dir + "/otherpassword.hsc", "w", "NOTOURS1", stream);
    writePackfile(dir + "/packed.hsc", "wp", HIGH_SCORE_PASSWORD, stream);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startLibrary();
    if (const char* seeds = fuzz::seedDirectory()) {
        writeSeeds(seeds);
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::scratch().file(HIGH_SCORE_FILE);
    fuzz::writeFile(path, data, size);

    Rows written;
    {
        HighScoreTable table(path.c_str());
        checkShape(table);
        checkQualifying(table);
        checkInsert(table, size);
        written = rowsOf(table);
    }
    HighScoreTable reread(path.c_str());
    fuzz::check(rowsOf(reread) == written, "the file written back reads as the same table");
    return 0;
}
