// Reads and prepares high-score files for the end-to-end tests, through the
// game's own table so the file format is never restated here.
//   hsc_tool dump FILE        one "name|score" line per entry, best first
//   hsc_tool fill FILE SCORE  a table whose every entry holds SCORE
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "scores/HighScoreTable.h"

int main(int argc, char** argv)
{
    if (argc < 3 || install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 2;
    if (std::strcmp(argv[1], "dump") == 0) {
        HighScoreTable table(argv[2], HighScoreTable::ReadOnly);
        for (const auto& entry : table.getEntries())
            std::printf("%s|%d\n", entry->name, static_cast<int>(entry->score));
        return 0;
    }
    if (std::strcmp(argv[1], "fill") == 0 && argc == 4) {
        HighScoreTable table(argv[2]);
        for (int i = 0; i < HighScoreTable::CAPACITY; i++)
            table.insert("champion", std::atoi(argv[3]));
        return 0;
    }
    return 2;
}
END_OF_MAIN()
