#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "ui/Prompt.h"

namespace {

class PromptAnswers : public testing::Test {
protected:
    Keys keys;
    Prompt quit;

    void SetUp() override
    {
        quit.result = StoryScreen;  // any code, to see setup take it over
        quit.setup("Are you sure you want to quit?", "Yes / No", KEY_Y, KEY_N, Quit, MainMenu);
        quit.readKeys();
    }

    // Presses the keys together on one tick, as the application would see them.
    bool pressTogether(std::initializer_list<int> scancodes)
    {
        for (int scancode : scancodes)
            keys.press(scancode);
        return quit.logic();
    }
};

} // namespace

TEST_F(PromptAnswers, EachKeyGivesItsAnswer)
{
    EXPECT_EQ(StoryScreen, quit.getResult()) << "before any answer the screen's own code";
    struct Case {
        std::initializer_list<int> keys;
        int answer;
    };
    const Case cases[] = {
        {{KEY_Y}, Quit},
        {{KEY_N}, MainMenu},
        {{KEY_ENTER}, Quit},
        {{KEY_ESC}, MainMenu},
        {{KEY_Y, KEY_N}, Quit},
        {{KEY_N, KEY_ENTER}, MainMenu},
        {{KEY_ENTER, KEY_ESC}, Quit},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(pressTogether(c.keys));
        EXPECT_EQ(c.answer, quit.getResult());
        keys.releaseAll();
        quit.readKeys();
    }
}

TEST_F(PromptAnswers, AKeyHeldWhenThePromptOpensDoesNotAnswer)
{
    keys.press(KEY_Y);
    keys.press(KEY_ENTER);
    quit.readKeys();
    for (int tick = 0; tick < 5; tick++)
        EXPECT_FALSE(quit.logic());
    keys.release(KEY_ENTER);
    EXPECT_FALSE(quit.logic());
    keys.press(KEY_ENTER);
    EXPECT_TRUE(quit.logic());
    EXPECT_EQ(Quit, quit.getResult());
}

TEST_F(PromptAnswers, OtherKeysLeaveItOpen)
{
    EXPECT_FALSE(tap(quit, KEY_SPACE));
    EXPECT_FALSE(tap(quit, KEY_A));
    EXPECT_EQ(MainMenu, quit.getResult());
    Prompt unset;
    EXPECT_FALSE(unset.logic());
}
