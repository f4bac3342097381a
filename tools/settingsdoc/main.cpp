// Writes the rows of the README's settings table and of the manual page's
// SETTINGS section from the game's one table of settings, between the marker
// lines of each file. With --check it writes nothing and fails when a file's
// rows are not the table's: the test that keeps the documents in step.
//
//   wispen_settingsdoc [--check] README.md assets/wispen.6.in

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "settings/Settings.h"

namespace {

struct Row {
    std::string section;
    std::string key;
    std::string initial;
    std::string meaning;
};

std::vector<Row> tableRows()
{
    const Settings defaults;
    std::vector<Row> rows;
    forEachSetting([&](const auto& setting) {
        const auto& value = defaults.*setting.field;
        using Value = std::remove_cv_t<std::remove_reference_t<decltype(value)>>;
        std::string initial;
        if constexpr (std::is_same_v<Value, float>) {
            char text[32];
            std::snprintf(text, sizeof text, "%g", value);
            initial = text;
        } else if constexpr (std::is_same_v<Value, int>) {
            initial = std::to_string(value);
        } else {
            initial = value;
        }
        rows.push_back({setting.section, setting.key, initial, setting.meaning});
    });
    return rows;
}

// The sections in the order the file first names them, each with its keys.
std::vector<Row> bySection(const std::vector<Row>& rows)
{
    std::vector<Row> grouped;
    for (const Row& row : rows) {
        bool seen = false;
        for (const Row& done : grouped)
            seen = seen || done.section == row.section;
        if (seen)
            continue;
        for (const Row& same : rows)
            if (same.section == row.section)
                grouped.push_back(same);
    }
    return grouped;
}

std::string markdown(const std::vector<Row>& rows)
{
    std::string out = "| section | key | default | meaning |\n|---|---|---|---|\n";
    for (const Row& row : rows)
        out += "| " + row.section + " | `" + row.key + "` | " + row.initial + " | " + row.meaning + " |\n";
    return out;
}

std::string troffText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '-' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

std::string manual(const std::vector<Row>& rows)
{
    std::string out;
    std::string section;
    for (const Row& row : rows) {
        if (row.section != section)
            out += ".SS \"[" + row.section + "]\"\n";
        section = row.section;
        std::string sentence = row.meaning;
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
        out += ".TP\n.BR " + row.key + " \" (" + troffText(row.initial) + ")\"\n" + troffText(sentence) + ".\n";
    }
    return out;
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The file's text with the rows between its markers replaced; empty when it
// has no markers.
std::string withRows(const std::string& text, const std::string& begin, const std::string& end,
                     const std::string& rows)
{
    const size_t from = text.find(begin);
    const size_t to = text.find(end, from == std::string::npos ? 0 : from);
    if (from == std::string::npos || to == std::string::npos)
        return "";
    const size_t rowsAt = from + begin.size();
    return text.substr(0, rowsAt) + rows + text.substr(to);
}

} // namespace

int main(int argc, char** argv)
{
    const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
    const std::vector<Row> rows = bySection(tableRows());
    int status = 0;
    for (int i = check ? 2 : 1; i < argc; i++) {
        const std::string path = argv[i];
        const bool isMarkdown = path.size() > 3 && path.compare(path.size() - 3, 3, ".md") == 0;
        const std::string text = readAll(path);
        const std::string updated =
            isMarkdown ? withRows(text, "<!-- settings: tools/settingsdoc writes these rows -->\n",
                                  "<!-- settings end -->", markdown(rows))
                       : withRows(text, ".\\\" settings: tools/settingsdoc writes these rows\n", ".\\\" settings end",
                                  manual(rows));
        if (updated.empty()) {
            std::fprintf(stderr, "%s: no settings markers\n", path.c_str());
            status = 1;
        } else if (updated != text && check) {
            std::fprintf(stderr, "%s: the settings' rows are not the table's; run wispen_settingsdoc %s\n",
                         path.c_str(), path.c_str());
            status = 1;
        } else if (updated != text) {
            std::ofstream(path, std::ios::binary) << updated;
        }
    }
    return status;
}
