#include <allegro.h>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "FakeScreenUpdate.h"
#include "FileFaults.h"
#include "SoundLog.h"
#include "FileBytes.h"
#include "TempDir.h"
#include "StandInResources.h"
#include "desktop/CloseSignals.h"
#include "frame/Game.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "frame/Sound.h"

// A configuration file as a player may leave it: hand-edited to absurd values,
// emptied, or overwritten with something else. It is read without harm and
// written back as it was read; the values the game cannot use are kept to
// usable ones where they are used, as the play and world tests show.

namespace {

class BadSettingsFile : public testing::Test {
protected:
    void TearDown() override { set_config_data("", 0); }

    std::string write(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    TempDir dir;
    std::string path = dir.path() + "/Wispen.ini";
};

// Every number of the table compared, NaN equal to NaN.
void expectSameRecord(const Settings& expected, const Settings& actual)
{
    forEachSetting([&](const auto& setting) {
        if constexpr (!std::is_array_v<std::remove_reference_t<decltype(expected.*setting.field)>>) {
            const auto want = expected.*setting.field;
            const auto got = actual.*setting.field;
            EXPECT_TRUE(want == got || (std::isnan(want) && std::isnan(got))) << setting.key << ": " << got;
        }
    });
}

// Runs work in a child process, so that a hang fails the test within the
// limit instead of stalling the whole suite.
template <typename Work>
void expectFinishesWithin(unsigned seconds, Work work)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(seconds);
        work();
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM ? "still busy after the limit" : "ended abnormally");
}

Settings readBack(const std::string& path)
{
    settings = Settings();
    readSettings(path.c_str());
    return settings;
}

} // namespace

TEST_F(BadSettingsFile, AbsurdValuesAreReadAsTheyStandAndWrittenBackUnchanged)
{
    write("[GENERAL]\nw = -5\nh = 0\nbpp = 8\nfullscreen = -1\ndriver = -2147483648\n\n"
          "[SPEED]\nfps = 0\nshowFPS = 7\n\n"
          "[WISPEN]\nacc = nan\ndec = inf\nrad = -2147483648\nhp1 = 2147483647\nhp2 = 0\n"
          "spawnTime = -1\nmaxParticles = 2147483647\ndifficulty = 9\nnStars = -3\n"
          "volSound = 99999\nvolMusic = -1\n\n");
    readSettings(path.c_str());
    const Settings read = settings;
    EXPECT_EQ(-5, read.w);
    EXPECT_EQ(8, read.bpp);
    EXPECT_EQ(INT_MIN, read.driver);
    EXPECT_EQ(0, read.fps);
    EXPECT_TRUE(std::isnan(read.acc));
    EXPECT_TRUE(std::isinf(read.dec));
    EXPECT_EQ(INT_MIN, read.rad);
    EXPECT_EQ(INT_MAX, read.maxParticles);
    EXPECT_EQ(99999, read.volSound);

    writeSettings(path.c_str());
    expectSameRecord(read, readBack(path));
}

TEST_F(BadSettingsFile, TextReadsAsZeroAndAnEmptyFileKeepsEveryDefault)
{
    write("");
    expectSameRecord(Settings(), readBack(path));

    write("[WISPEN]\nrad = big\nvolSound = loud\nacc = fast\nnStars = \n\n");
    Settings read = readBack(path);
    EXPECT_EQ(0, read.rad);
    EXPECT_EQ(0, read.volSound);
    EXPECT_EQ(0.0f, read.acc);
    EXPECT_EQ(300, read.nStars) << "an empty value is no value";
}

TEST_F(BadSettingsFile, AnyBytesAreReadWithoutHarmAndWrittenBackWhole)
{
    // Bytes that matter to the parser are made common, so the noise holds
    // section headers, assignments, line ends and invalid text.
    const char special[] = {'[', ']', '=', '\n', '\r', '\0', '#', '\xff', '\xc3', ' '};
    for (unsigned seed = 1; seed <= 20; seed++) {
        std::srand(seed);
        std::string bytes;
        const int size = 1 + std::rand() % 40000;
        for (int i = 0; i < size; i++)
            bytes += std::rand() % 4 == 0 ? special[std::rand() % sizeof special] : static_cast<char>(std::rand());
        write(bytes);
        expectFinishesWithin(5, [this] {
            readSettings(path.c_str());
            writeSettings(path.c_str());
        });
        if (HasFailure()) {
            ADD_FAILURE() << "seed " << seed;
            return;
        }
        write(bytes);
        settings = Settings();
        readSettings(path.c_str());
        const Settings read = settings;

        writeSettings(path.c_str());
        expectSameRecord(read, readBack(path));
        if (HasFailure()) {
            ADD_FAILURE() << "seed " << seed;
            return;
        }
    }
}

TEST_F(BadSettingsFile, BytesThatAreNeverTextReachTheLibraryAsQuestionMarks)
{
    // A lead byte of the old six-byte form and five continuations: the
    // library decodes a number beyond 2^30 and never finishes measuring it.
    const std::string damaged = "[WISPEN]\nrad = 12\n\xfd\x9d\xb5\x9a\x85\x94\nhp1 = 7\n\n";
    write(damaged);
    expectFinishesWithin(5, [this] { readSettings(path.c_str()); });
    ASSERT_FALSE(HasFailure());
    readSettings(path.c_str());
    EXPECT_EQ(12, settings.rad);
    EXPECT_EQ(7, settings.hp1);

    {
        // Unwritable: the damaged file stays, and is made current again.
        chmod(dir.path().c_str(), 0555);
        WithoutWriteAccess readOnly;
        expectFinishesWithin(5, [this] { writeSettings(path.c_str()); });
        writeSettings(path.c_str());
    }
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(damaged, fileBytes(path));

    writeSettings(path.c_str());
    const std::string rewritten = fileBytes(path);
    EXPECT_EQ(0u, rewritten.find("[WISPEN]\nrad = 12\n?"));
    for (char c : rewritten)
        ASSERT_LT(static_cast<unsigned char>(c), 0xF8);
    EXPECT_EQ(7, readBack(path).hp1);
}

TEST(SampleVolume, EveryVolumeIsPlayedBetweenSilenceAndFull)
{
    StandInResources resources;
    SoundLog log;
    const std::pair<int, int> asked[] = {{0, 0}, {128, 128}, {255, 255}, {256, 255},
                                         {INT_MAX, 255}, {-1, 0}, {INT_MIN, 0}};
    for (const auto& [volume, played] : asked) {
        log.clear();
        playSample(selectSample, volume, 128, 1000, 0);
        ASSERT_EQ(1u, log.events().size());
        EXPECT_EQ(played, log.events()[0].volume) << volume;
    }
}

TEST(SampleVolume, TheWailsPlayAtHalfOfTheVolumeKeptToFull)
{
    StandInResources resources;
    SoundLog log;
    const std::pair<int, int> asked[] = {{255, 127}, {256, 127}, {INT_MAX, 127}, {-1, 0}, {INT_MIN, 0}};
    for (const auto& [volSound, played] : asked) {
        settings.volSound = volSound;
        log.clear();
        playScrSample();
        ASSERT_EQ(1u, log.events().size());
        EXPECT_EQ(played, log.events()[0].volume) << volSound;
    }
}

TEST(PaletteDepth, IsNeverAskedForSoTheGameEndsWithTheGraphicsModeMessage)
{
    // A display that opens every depth, as the X driver opens 8 bits by
    // emulating a palette in a true-colour window.
    static std::vector<int> depthsAsked;
    auto anyDepth = [](int, int, int, int depth) {
        depthsAsked.push_back(depth);
        return depth > 0;
    };
    settings.bpp = 8;
    EXPECT_EQ(GfxMode, openGraphicsMode(anyDepth).code);
    EXPECT_EQ(8, settings.bpp) << "the configured depth is written back as it was";
    for (int depth : depthsAsked)
        EXPECT_NE(8, depth);
}

namespace {

// Every logic step takes longer than the timer's period, as at a tick rate
// near the timer's limit with a crowded game: each step finds the next one
// already due, so the batch of due ticks never runs out.
class SlowerThanTheTimer : public Game {
public:
    void draw(BITMAP*) override
    {
        if (frames++ == 0)
            timerTicks++;
    }

    bool logic() override
    {
        timerTicks++;
        if (++steps == CLOSED_AT_STEP)
            closeRequested = true;
        return false;
    }

    static constexpr int CLOSED_AT_STEP = 50;
    int frames = 0;
    int steps = 0;
};

} // namespace

TEST(SlowTicks, TheCloseButtonStillEndsABatchThatNeverRunsOut)
{
    settings.yield = 0;
    expectFinishesWithin(5, [] {
        SlowerThanTheTimer game;
        game.setUpdateDriver(std::make_unique<FakeScreenUpdate>("memory"));
        game.run();
        if (game.steps != SlowerThanTheTimer::CLOSED_AT_STEP)
            _exit(1);
    });
}
