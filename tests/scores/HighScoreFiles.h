#pragma once

#include <allegro.h>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "scores/HighScoreTable.h"
#include "TempDir.h"

// Helpers that make and inspect high-score files the way the library does,
// independently of the table, so the tests see the file as a player's next
// run of the game would.
namespace hsfile {

// One 12-byte record of the stream: the name's bytes padded with zeros to 8,
// then the score least significant byte first.
inline std::string record(std::string name, std::int32_t score)
{
    name.resize(8, '\0');
    auto bits = static_cast<std::uint32_t>(score);
    for (int shift = 0; shift < 32; shift += 8)
        name.push_back(static_cast<char>((bits >> shift) & 0xFF));
    return name;
}

inline std::string stream(const std::vector<std::pair<std::string, std::int32_t>>& rows)
{
    std::string bytes;
    for (const auto& row : rows)
        bytes += record(row.first, row.second);
    return bytes;
}

inline std::string defaultStream()
{
    std::string bytes;
    for (int i = 0; i < 8; i++)
        bytes += record("nobody  ", (8 - i) * 1000);
    return bytes;
}

inline bool exists(const std::string& path)
{
    return std::ifstream(path).good();
}

// Writes bytes straight through the packfile layer in plain mode, under the
// given password (none when null): what a direct pack_fopen "w" produces.
inline void writeStream(const std::string& path, const std::string& bytes, const char* password = HIGH_SCORE_PASSWORD)
{
    packfile_password(password);
    PACKFILE* file = pack_fopen(path.c_str(), "w");
    if (file) {
        pack_fwrite(bytes.data(), static_cast<long>(bytes.size()), file);
        pack_fclose(file);
    }
    packfile_password(nullptr);
}

// Reads the whole stream back through the packfile layer under the password.
inline std::string decode(const std::string& path, const char* password = HIGH_SCORE_PASSWORD)
{
    std::string bytes;
    packfile_password(password);
    PACKFILE* file = pack_fopen(path.c_str(), "r");
    if (file) {
        char chunk[64];
        long got;
        while ((got = pack_fread(chunk, sizeof(chunk), file)) > 0)
            bytes.append(chunk, static_cast<std::size_t>(got));
        pack_fclose(file);
    }
    packfile_password(nullptr);
    return bytes;
}

inline std::vector<std::pair<std::string, std::int32_t>> rows(const HighScoreTable& table)
{
    std::vector<std::pair<std::string, std::int32_t>> list;
    for (const auto& entry : table.getEntries())
        list.emplace_back(entry->name, entry->score);
    return list;
}

inline std::vector<std::int32_t> scores(const HighScoreTable& table)
{
    std::vector<std::int32_t> list;
    for (const auto& entry : table.getEntries())
        list.push_back(entry->score);
    return list;
}

// A temporary directory holding the file under test.
class ScoreDir {
public:
    std::string file() const { return dir.path() + "/" + HIGH_SCORE_FILE; }
    std::string path(const char* name) const { return dir.path() + "/" + name; }
    const std::string& path() const { return dir.path(); }

private:
    TempDir dir;
};

} // namespace hsfile
