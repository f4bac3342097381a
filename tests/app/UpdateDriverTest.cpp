#include <allegro.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "FakeScreenUpdate.h"
#include "desktop/DoubleBuffer.h"
#include "frame/Game.h"
#include "desktop/PageFlipping.h"
#include "desktop/TripleBuffer.h"
#include "desktop/UpdateDriverChain.h"

namespace {

using Log = std::vector<std::string>;

class UpdateDriverInstall : public testing::Test {
protected:
    void SetUp() override { FakeScreenUpdate::log().clear(); }
    const Log& log() { return FakeScreenUpdate::log(); }
};

std::unique_ptr<ScreenUpdate> working() { return std::make_unique<FakeScreenUpdate>("working"); }
std::unique_ptr<ScreenUpdate> spare() { return std::make_unique<FakeScreenUpdate>("spare"); }
std::unique_ptr<ScreenUpdate> noTriple()
{
    return std::make_unique<FakeScreenUpdate>("noTriple", TripleBufferUnavailable);
}
std::unique_ptr<ScreenUpdate> noVideo() { return std::make_unique<FakeScreenUpdate>("noVideo", OutOfVideoMemory); }
std::unique_ptr<ScreenUpdate> noMemory() { return std::make_unique<FakeScreenUpdate>("noMemory", OutOfMemory); }

std::vector<std::string> chainNames(int driver)
{
    std::vector<std::string> names;
    for (UpdateDriverMaker make : updateDriverChain(driver))
        names.push_back(make()->getName());
    return names;
}

} // namespace

TEST_F(UpdateDriverInstall, ANewStrategyReplacesTheOldOne)
{
    Game game;
    EXPECT_FALSE(game.setUpdateDriver(std::make_unique<FakeScreenUpdate>("old")).failed());
    EXPECT_FALSE(game.setUpdateDriver(std::make_unique<FakeScreenUpdate>("new")).failed());
    EXPECT_STREQ("new", game.updateDriver->getName());
    EXPECT_EQ((Log{"make old", "create old", "make new", "destroy old", "create new", "delete old"}), log());
}

TEST_F(UpdateDriverInstall, AFailingStrategyIsDeletedAndTheOldOneKeepsWorking)
{
    Game game;
    game.setUpdateDriver(std::make_unique<FakeScreenUpdate>("old"));
    ScreenUpdate* old = game.updateDriver.get();

    Error error = game.setUpdateDriver(std::make_unique<FakeScreenUpdate>("broken", OutOfVideoMemory));

    EXPECT_EQ(OutOfVideoMemory, error.code);
    EXPECT_EQ(old, game.updateDriver.get());
    EXPECT_EQ((Log{"make old", "create old", "make broken", "destroy old", "create broken", "delete broken",
                   "create old"}),
              log());
    BITMAP* target = game.updateDriver->getBuffer();
    ASSERT_NE(nullptr, target);
    putpixel(target, 1, 1, makecol(255, 0, 0));
    EXPECT_EQ(255, getr(getpixel(target, 1, 1)));
}

TEST_F(UpdateDriverInstall, AFailingFirstStrategyLeavesNothingInstalled)
{
    Game game;
    EXPECT_EQ(OutOfMemory, game.setUpdateDriver(noMemory()).code);
    EXPECT_EQ(nullptr, game.updateDriver);
    EXPECT_EQ((Log{"make noMemory", "create noMemory", "delete noMemory"}), log());
}

TEST_F(UpdateDriverInstall, TheChainStopsAtTheFirstStrategyThatWorks)
{
    Game game;
    Error error = game.installUpdateDriver({noTriple, noVideo, working, spare});
    EXPECT_FALSE(error.failed());
    EXPECT_STREQ("working", game.updateDriver->getName());
    EXPECT_EQ((Log{"make noTriple", "create noTriple", "delete noTriple", "make noVideo", "create noVideo",
                   "delete noVideo", "make working", "create working"}),
              log());
}

TEST_F(UpdateDriverInstall, AChainThatNeverWorksAnswersWithItsLastFailure)
{
    Game game;
    EXPECT_EQ(OutOfMemory, game.installUpdateDriver({noTriple, noMemory}).code);
    EXPECT_EQ(nullptr, game.updateDriver);
}

TEST(UpdateDriverChain, BestStrategyFirstAndDirectDrawingLast)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ((Names{"Triple Buferring", "Page Flipping", "Double Buferring", "default update driver"}),
              chainNames(2));
    EXPECT_EQ((Names{"Page Flipping", "Double Buferring", "default update driver"}), chainNames(1));
    EXPECT_EQ((Names{"Double Buferring", "default update driver"}), chainNames(0));
    EXPECT_EQ((Names{"default update driver"}), chainNames(3));
    EXPECT_EQ((Names{"default update driver"}), chainNames(-1));
}

TEST(ScreenUpdateStrategies, DestroyTwiceOrBeforeCreateIsHarmless)
{
    DoubleBuffer doubleBuffer;
    PageFlipping pageFlipping;
    TripleBuffer tripleBuffer;
    ScreenUpdate* strategies[] = {&doubleBuffer, &pageFlipping, &tripleBuffer};
    for (ScreenUpdate* strategy : strategies) {
        strategy->destroy();
        strategy->destroy();
        EXPECT_EQ(nullptr, strategy->getBuffer()) << strategy->getName();
    }

    // Without a graphics mode the screen is 0 by 0, which the library still
    // makes a bitmap for; enough to see the buffer given back exactly once.
    ASSERT_FALSE(doubleBuffer.create().failed());
    EXPECT_NE(nullptr, doubleBuffer.getBuffer());
    doubleBuffer.destroy();
    doubleBuffer.destroy();
    EXPECT_EQ(nullptr, doubleBuffer.getBuffer());
    ASSERT_FALSE(doubleBuffer.create().failed());
    doubleBuffer.destroy();
}
