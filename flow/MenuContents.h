#pragma once

class Menu;

// What each menu between games holds: its lines, where they stand and where
// each leads. The screen flow owns the menus and fills each once, as it is
// made; where a menu goes back to stays with the flow.
class MenuContents {
public:
    static void fillMainMenu(Menu& mainMenu);
    static void fillHighScoreMenu(Menu& highScoreMenu);
    static void fillOptionsMenu(Menu& optionsMenu);
    static void fillNameEntryMenu(Menu& nameEntryMenu);
    static void fillCreditsMenu(Menu& creditsMenu);
};
