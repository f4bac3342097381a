#include <allegro.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "HighScoreFiles.h"
#include "scores/HighScoreList.h"
#include "ui/Menu.h"
#include "ui/MenuItem.h"
#include "ui/MenuItemEdit.h"

using hsfile::decode;
using hsfile::record;
using hsfile::stream;

namespace {

class HighScoreList : public testing::Test {
protected:
    HighScoreList()
    {
        // Built as the application builds its list menu; the list replaces it.
        list.addItem(std::make_unique<MenuItem>("Back", MainMenu, 64));
        list.result = MainMenu;
        nameEntry.result = HighScores;
        for (const char* text : {"Congratulations!", "You have a high score!", "Please enter your name"}) {
            auto line = std::make_unique<MenuItem>(text, EnterName, 94);
            line->disable();
            nameEntry.addItem(std::move(line));
        }
        nameEntry.addItem(std::make_unique<MenuItemEdit>("        ", HighScores, 160));
        nameEntry.start();
    }
    ~HighScoreList() override { key[KEY_ESC] = 0; }

    // What the application does on HighScores: the lines take code 6, the
    // menu is left with 3 again.
    void showList(const char* enteredName, std::int32_t total)
    {
        list.result = HighScores;
        fillHighScores(list, enteredName, total, dir.file().c_str());
        list.result = MainMenu;
    }

    // Leaves the name entry with Escape, as a player who does not press Enter.
    int escapeFromNameEntry()
    {
        key[KEY_ESC] = 1;
        EXPECT_TRUE(nameEntry.logic());
        int code = nameEntry.getResult();
        key[KEY_ESC] = 0;
        return code;
    }

    std::string line(int i) const { return list.items[i]->text; }

    hsfile::ScoreDir dir;
    Menu list;
    Menu nameEntry;
};

} // namespace

TEST_F(HighScoreList, EscapeFromTheNameEntryStillEntersTheTypedName)
{
    nameEntry.getSelectedItem()->text = "ANNA    ";
    ASSERT_EQ(HighScores, escapeFromNameEntry());

    showList(nameEntry.getSelectedItem()->text.c_str(), 1500);

    EXPECT_EQ("nobody   ...... 00002000", line(6));
    EXPECT_EQ("ANNA     ...... 00001500", line(7));
    EXPECT_EQ(record("ANNA    ", 1500), decode(dir.file()).substr(84, 12));
}

TEST_F(HighScoreList, AnUntouchedNameFieldEntersEightSpaces)
{
    ASSERT_EQ(HighScores, escapeFromNameEntry());

    showList(nameEntry.getSelectedItem()->text.c_str(), 7500);

    EXPECT_EQ("         ...... 00007500", line(1));
    EXPECT_EQ(record("        ", 7500), decode(dir.file()).substr(12, 12));
}

TEST_F(HighScoreList, ViewingInsertsNothingAndRewritesTheFileUnchanged)
{
    showList(nullptr, 99999);
    EXPECT_EQ(hsfile::defaultStream(), decode(dir.file()));
    EXPECT_EQ("nobody   ...... 00008000", line(0));

    std::string own = stream({{"ZOE     ", 90000}, {"MAX     ", 80000}, {"IDA     ", 70000},
                              {"LEO     ", 60000}, {"EVA     ", 50000}, {"TOM     ", 40000},
                              {"UMA     ", 30000}, {"KAI     ", 20000}});
    hsfile::writeStream(dir.file(), own);
    showList(nullptr, 99999);

    EXPECT_EQ(own, decode(dir.file()));
    EXPECT_EQ("ZOE      ...... 00090000", line(0));
    EXPECT_EQ("KAI      ...... 00020000", line(7));
}

TEST_F(HighScoreList, ScoresShowEveryDigitAndTheirSign)
{
    hsfile::writeStream(dir.file(), stream({{"BIG     ", 123456789}, {"MOST    ", 2147483647},
                                            {"a       ", 5}, {"b       ", 4},
                                            {"c       ", 3}, {"d       ", 0},
                                            {"MINUS   ", -1}, {"LEAST   ", INT32_MIN}}));

    showList(nullptr, 0);

    EXPECT_EQ("BIG      ...... 123456789", line(0));
    EXPECT_EQ("MOST     ...... 2147483647", line(1));
    EXPECT_EQ("d        ...... 00000000", line(5));
    EXPECT_EQ("MINUS    ...... -0000001", line(6));
    EXPECT_EQ("LEAST    ...... -2147483648", line(7));
}

TEST_F(HighScoreList, ADamagedNameIsListedByteForByte)
{
    // Bytes no player can type, as a damaged file can hold them; decoded as
    // UTF-8 they once sent the list's formatter round for ever.
    const char damaged[] = "\xFD\x9D\xB5\x9A\x85\x94";
    showList(damaged, 9000);
    EXPECT_EQ(std::string(damaged) + " ...... 00009000", line(0));
}
