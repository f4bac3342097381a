#pragma once

#include <cstdint>

#include "scores/HighScoreTable.h"

class Menu;

// Rebuilds the high-score list screen from the high-score file: eight disabled
// score lines, best first, then "Back", which is highlighted. The application
// calls it whenever the list is shown. After a name entry, enteredName is the
// name field's text and total the finished game's score, and they are ranked
// in first; from the main menu enteredName is null and nothing is inserted.
// The file is written back either way. The score lines carry the menu's
// result code as it is at the time of the call.
void fillHighScores(Menu& highScoreMenu, const char* enteredName, std::int32_t total,
                    const char* fileName = HIGH_SCORE_FILE);
