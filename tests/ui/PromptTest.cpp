#include <algorithm>
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

TEST(PromptBox, IsCentredOnTheTargetAndSizedFromTheLongerLine)
{
    struct Case {
        const char* question;
        const char* choices;
        int targetWidth;
        int targetHeight;
    };
    const Case cases[] = {
        {"Are you sure you want to quit?", "Yes / No", 320, 240},
        {"Quit?", "Yes, please / No, thank you", 400, 300},
    };
    const int h = text_height(font);
    const int picture = makecol(200, 200, 200);
    // One prompt for both: its box follows a question of another length.
    Prompt prompt;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        prompt.setup(c.question, c.choices, KEY_Y, KEY_N, Quit, MainMenu);
        Canvas target(c.targetWidth, c.targetHeight, picture);
        prompt.draw(target);

        const int width = std::max(text_length(font, c.question), text_length(font, c.choices)) + 30;
        const int height = 7 * h / 2;
        const int left = (c.targetWidth - width) / 2;
        const int top = (c.targetHeight - height) / 2;
        const int right = left + width - 1;
        const int bottom = top + height - 1;
        for (int x : {left, right})
            for (int y : {top, bottom}) {
                EXPECT_FALSE(sameColour(picture, getpixel(target, x, y))) << x << "," << y;
                EXPECT_TRUE(sameColour(picture, getpixel(target, x + (x == left ? -1 : 1), y)));
                EXPECT_TRUE(sameColour(picture, getpixel(target, x, y + (y == top ? -1 : 1))));
            }
        // The question in the first text row, the answers below it.
        EXPECT_TRUE(areaHasColour(target, left, top + h / 2, right, top + h / 2 + h - 1, makecol(190, 150, 84)));
        EXPECT_TRUE(areaHasColour(target, left, top + 2 * h, right, top + 3 * h - 1, makecol(240, 220, 128)));
        EXPECT_FALSE(areaHasColour(target, left, top, right, top + 2 * h - 1, makecol(240, 220, 128)));
    }
}
