#include <gtest/gtest.h>
#include <fstream>
#include <string>

#include "TempDir.h"
#include "StandInResources.h"
#include "UiTestSupport.h"
#include "frame/Resources.h"
#include "ui/Story.h"

namespace {

class StoryScreenTest : public testing::Test {
protected:
    TempDir dir;
    StandInResources resources;
    Keys keys;

    std::string storyFile(const std::string& content)
    {
        const std::string path = dir.path() + "/story";
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // Any pixel inside the window that is neither its fill nor black text.
    static bool windowShowsText(BITMAP* target, int top, int bottom)
    {
        for (int y = top; y <= bottom; y++)
            for (int x = 11; x <= 309; x++)
                if (!sameColour(makecol(8, 32, 24), getpixel(target, x, y)))
                    return true;
        return false;
    }

    static bool showsClosingMessage(BITMAP* target)
    {
        return areaHasColour(target, 11, 155, 309, 162, hsvColour(45.0f, 0.3f, 1.0f));
    }
};

} // namespace

TEST_F(StoryScreenTest, EveryFileLineIsAnEntryAndTheEndAddsAnEmptyOne)
{
    Story story(storyFile("Long ago\nthe wisps\nwandered.\n").c_str());
    ASSERT_EQ(4u, story.lines.size());
    EXPECT_EQ("Long ago", story.lines[0]);
    EXPECT_EQ("wandered.", story.lines[2]);
    EXPECT_EQ("", story.lines[3]);

    Story unterminated(storyFile("one\ntwo").c_str());
    ASSERT_EQ(3u, unterminated.lines.size());
    EXPECT_EQ("two", unterminated.lines[1]);
    EXPECT_EQ("", unterminated.lines[2]);

    Story crlf(storyFile("dos\r\nlines\r\n").c_str());
    ASSERT_EQ(3u, crlf.lines.size());
    EXPECT_EQ("dos", crlf.lines[0]);

    EXPECT_EQ(1u, Story(storyFile("").c_str()).lines.size());
    EXPECT_TRUE(Story((dir.path() + "/missing").c_str()).lines.empty());
}

TEST_F(StoryScreenTest, AHugeFileIsCutToBoundedLinesAndShownInsideTheWindowOnly)
{
    std::string content(5000, 'H');
    content += "\n\x01\x07\t\x7f\xff\x80 control\n";
    for (size_t i = 0; i < Story::MAX_LINES + 50; i++)
        content += "HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH\n";
    Story story(storyFile(content).c_str());
    ASSERT_EQ(Story::MAX_LINES, story.lines.size());
    EXPECT_EQ(Story::MAX_LINE_LENGTH, story.lines[0].size());
    EXPECT_EQ("\x01\x07\t\x7f\xff\x80 control", story.lines[1]);

    story.start();
    story.scrollY = 120.0f;
    Canvas target(320, 240, makecol(0, 0, 0));
    story.draw(target);
    EXPECT_TRUE(windowShowsText(target, 120, 150));
    // The long line at y = 120 reaches far beyond the window but stays inside.
    for (int x : {0, 9, 311, 319})
        EXPECT_TRUE(sameColour(getpixel(backBitmap, x, 122), getpixel(target, x, 122))) << x;
}

TEST_F(StoryScreenTest, TextScrollsAtTheStartSpeedThenDriftsOrFollowsTheArrows)
{
    Story story(storyFile("a\n").c_str());
    story.start();
    story.readKeys();
    EXPECT_FLOAT_EQ(230.0f, story.scrollY);
    EXPECT_FALSE(story.logic());
    EXPECT_FLOAT_EQ(229.75f, story.scrollY);
    story.logic();
    EXPECT_FLOAT_EQ(229.6f, story.scrollY);

    keys.press(KEY_DOWN);
    story.logic();  // the speed chosen now applies from the next tick
    EXPECT_FLOAT_EQ(229.45f, story.scrollY);
    story.logic();
    EXPECT_FLOAT_EQ(225.45f, story.scrollY);
    keys.press(KEY_UP);  // Down wins while both are held
    story.logic();
    EXPECT_FLOAT_EQ(221.45f, story.scrollY);
    keys.release(KEY_DOWN);
    story.logic();
    EXPECT_FLOAT_EQ(217.45f, story.scrollY);
    story.logic();
    EXPECT_FLOAT_EQ(221.45f, story.scrollY);

    // Another visit starts from the bottom again.
    story.start();
    keys.releaseAll();
    story.logic();
    EXPECT_FLOAT_EQ(229.75f, story.scrollY);
}

TEST_F(StoryScreenTest, ALineIsDrawnOnlyStrictlyInsideTheWindowAndFadesToItsEdges)
{
    Story story(storyFile("HHHH").c_str());
    Canvas target(320, 240, makecol(0, 0, 0));

    story.scrollY = 80.0f;
    story.draw(target);
    EXPECT_FALSE(windowShowsText(target, 81, 90)) << "a line exactly on the top edge is not drawn";
    EXPECT_FALSE(showsClosingMessage(target));

    story.scrollY = 80.5f;
    story.draw(target);
    EXPECT_TRUE(windowShowsText(target, 81, 90));

    story.scrollY = 229.5f;
    story.draw(target);
    EXPECT_TRUE(windowShowsText(target, 229, 229));

    // At the fade centre the line is at full brightness.
    story.scrollY = 155.0f;
    story.draw(target);
    EXPECT_TRUE(areaHasColour(target, 11, 155, 309, 162, hsvColour(45.0f, 0.3f, 1.0f)));
    story.scrollY = 117.5f;
    story.draw(target);
    EXPECT_TRUE(areaHasColour(target, 11, 117, 309, 124, hsvColour(45.0f, 0.3f, 0.5f)));
}

TEST_F(StoryScreenTest, TheClosingMessageWaitsUntilTheLastLineIsAtSixtyOrAbove)
{
    Story story(storyFile("one\ntwo\nthree\n").c_str());  // four entries; the last at scrollY + 60
    Canvas target(320, 240, makecol(0, 0, 0));

    story.scrollY = 0.5f;
    story.draw(target);
    EXPECT_FALSE(showsClosingMessage(target));
    EXPECT_FALSE(windowShowsText(target, 81, 229));

    story.scrollY = 0.0f;
    story.draw(target);
    EXPECT_TRUE(showsClosingMessage(target));

    // Running the text back with Up hides the message again.
    story.scrollSpeed = 4.0f;
    keys.press(KEY_UP);
    for (int tick = 0; tick < 12; tick++)
        story.logic();
    story.draw(target);
    EXPECT_FALSE(showsClosingMessage(target));
    EXPECT_TRUE(windowShowsText(target, 81, 229));
}

TEST_F(StoryScreenTest, WithoutAFileTheMessageComesOnceTheTextWouldHaveReachedTheTop)
{
    Story story((dir.path() + "/missing").c_str());
    Canvas target(320, 240, makecol(0, 0, 0));
    story.scrollY = 80.5f;
    story.draw(target);
    EXPECT_FALSE(showsClosingMessage(target));
    story.scrollY = 80.0f;
    story.draw(target);
    EXPECT_TRUE(showsClosingMessage(target));
}

TEST_F(StoryScreenTest, EnterOrEscapeLeavesButNotAKeyHeldOnEntry)
{
    Story story(storyFile("a\n").c_str());
    story.result = MainMenu;
    keys.press(KEY_ENTER);
    keys.press(KEY_ESC);
    story.start();
    story.readKeys();
    EXPECT_FALSE(story.logic());
    keys.releaseAll();
    EXPECT_FALSE(story.logic());
    EXPECT_TRUE(tap(story, KEY_ENTER));
    EXPECT_EQ(MainMenu, story.getResult());
    EXPECT_TRUE(tap(story, KEY_ESC));
    EXPECT_EQ(MainMenu, story.getResult());
}

TEST_F(StoryScreenTest, DrawingLeavesTheTargetsClipAsItFoundIt)
{
    Story story(storyFile("HHHH\n").c_str());
    story.scrollY = 150.0f;
    for (int width : {320, 640}) {
        Canvas target(width, width * 3 / 4, makecol(0, 0, 0));
        story.draw(target);
        int left, top, right, bottom;
        get_clip_rect(target, &left, &top, &right, &bottom);
        EXPECT_EQ(0, left);
        EXPECT_EQ(0, top);
        EXPECT_EQ(width - 1, right);
        EXPECT_EQ(width * 3 / 4 - 1, bottom);
    }
}
