#include <allegro.h>
#include <aldumb.h>
#include <jpgalleg.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "SoundLog.h"
#include "TempDir.h"
#include "StandInResources.h"
#include "frame/Resources.h"
#include "settings/Settings.h"

// The loader is run against the data.dat and wispen.it that the build made
// in the run directory (the tests' working directory), and against copies of
// data.dat from which the datafile tool has deleted objects.

namespace {

const std::string RUN_DIR = WISPEN_RUN_DIR;

void expectNothingLoaded()
{
    EXPECT_EQ(nullptr, backBitmap);
    EXPECT_EQ(nullptr, spaceBitmap);
    for (BITMAP* bitmap : faceBitmaps)
        EXPECT_EQ(nullptr, bitmap);
    for (BITMAP* bitmap : tailBitmaps)
        EXPECT_EQ(nullptr, bitmap);
    for (BITMAP* bitmap : starBitmaps)
        EXPECT_EQ(nullptr, bitmap);
    EXPECT_EQ(nullptr, music);
    for (SAMPLE* sample : ambientSamplesA)
        EXPECT_EQ(nullptr, sample);
    for (SAMPLE* sample : ambientSamplesB)
        EXPECT_EQ(nullptr, sample);
    EXPECT_EQ(nullptr, dieSample);
    EXPECT_EQ(nullptr, thumpSample);
    EXPECT_EQ(nullptr, collectSample);
    EXPECT_EQ(nullptr, selectSample);
    for (SAMPLE* sample : scrSamples)
        EXPECT_EQ(nullptr, sample);
}

void expectSize(BITMAP* bitmap, int w, int h, const std::string& what)
{
    ASSERT_NE(nullptr, bitmap) << what;
    EXPECT_EQ(w, bitmap->w) << what;
    EXPECT_EQ(h, bitmap->h) << what;
}

class Resources : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        jpgalleg_init();
        dumb_register_stdfiles();
    }

    void SetUp() override { gameStartFont = font; }

    // Whatever a test loaded is released, and the library's font restored,
    // so each test starts from the empty table of a fresh program.
    void TearDown() override
    {
        unloadData();
        font = gameStartFont;
    }

    // A copy of the generated datafile, in a fresh directory, without the
    // named objects.
    std::string datafileWithout(const std::vector<std::string>& names)
    {
        const std::string copy = dir.path() + "/data.dat";
        std::filesystem::copy_file("data.dat", copy);
        std::string command = "dat -d '" + copy + "'";
        for (const std::string& name : names)
            command += " " + name;
        command += " >/dev/null";
        EXPECT_EQ(0, std::system(command.c_str())) << command;
        return copy;
    }

    TempDir dir;
    FONT* gameStartFont = nullptr;
};

TEST_F(Resources, TheGeneratedFilesFillEveryEntryWithPicturesOfTheirSize)
{
    ASSERT_TRUE(loadData());

    expectSize(backBitmap, 320, 240, "BACK");
    expectSize(spaceBitmap, 1024, 768, "SPACE");
    for (int i = 0; i < 16; i++)
        expectSize(faceBitmaps[i], 32, 32, "face " + std::to_string(i));
    for (int i = 0; i < 8; i++)
        expectSize(tailBitmaps[i], 32, 32, "tail " + std::to_string(i));
    for (int i = 0; i < 7; i++)
        expectSize(starBitmaps[i], 12, 12, "star " + std::to_string(i));
    EXPECT_NE(nullptr, music);
    for (int i = 0; i < 2; i++) {
        ASSERT_NE(nullptr, ambientSamplesA[i]);
        ASSERT_NE(nullptr, ambientSamplesB[i]);
        // The two sets are separate objects of the same sound, so stopping
        // one set leaves the other playing.
        EXPECT_NE(ambientSamplesA[i], ambientSamplesB[i]);
        EXPECT_EQ(ambientSamplesA[i]->len, ambientSamplesB[i]->len);
    }
    EXPECT_NE(nullptr, dieSample);
    EXPECT_NE(nullptr, thumpSample);
    EXPECT_NE(nullptr, collectSample);
    EXPECT_NE(nullptr, selectSample);
    for (SAMPLE* sample : scrSamples)
        EXPECT_NE(nullptr, sample);
    EXPECT_NE(gameStartFont, font) << "FNT1 becomes the current font";

    unloadData();
    expectNothingLoaded();
}

TEST_F(Resources, SpritesStandOnTheMaskAndEachFamilyHasItsColour)
{
    ASSERT_TRUE(loadData());
    const int mask = makecol(255, 0, 255);
    auto maskedCorners = [&](BITMAP* b) {
        return getpixel(b, 0, 0) == mask && getpixel(b, b->w - 1, 0) == mask && getpixel(b, 0, b->h - 1) == mask &&
               getpixel(b, b->w - 1, b->h - 1) == mask;
    };
    for (BITMAP* b : faceBitmaps)
        EXPECT_TRUE(maskedCorners(b));
    for (BITMAP* b : tailBitmaps)
        EXPECT_TRUE(maskedCorners(b));
    for (BITMAP* b : starBitmaps)
        EXPECT_TRUE(maskedCorners(b));

    // The souls are green ghosts and the player's creature a blue wisp; a
    // swap of the two sets would show here.
    int ghost = getpixel(faceBitmaps[0], 9, 20);
    int wisp = getpixel(faceBitmaps[8], 16, 12);
    EXPECT_GT(getg(ghost), getb(ghost));
    EXPECT_GT(getb(wisp), getg(wisp));
    EXPECT_GT(getb(wisp), getr(wisp));
}

TEST_F(Resources, ADatafileLackingScr9FailsAndKeepsNothing)
{
    const std::string data = datafileWithout({"SCR9"});
    EXPECT_FALSE(loadData(data.c_str(), "wispen.it"));
    expectNothingLoaded();
}

TEST_F(Resources, ADatafileLackingThumpLoadsWithoutIt)
{
    const std::string data = datafileWithout({"THUMP"});
    ASSERT_TRUE(loadData(data.c_str(), "wispen.it"));
    EXPECT_EQ(nullptr, thumpSample);
    EXPECT_NE(nullptr, dieSample);
    EXPECT_NE(nullptr, scrSamples[9]);

    SoundLog log;
    playSample(thumpSample, 255, 128, 1000, 0);
    EXPECT_TRUE(log.events().empty()) << "a missing sample never plays";
}

TEST_F(Resources, ADatafileLackingTheFontLoadsAndKeepsTheCurrentFont)
{
    const std::string data = datafileWithout({"FNT1"});
    ASSERT_TRUE(loadData(data.c_str(), "wispen.it"));
    EXPECT_EQ(gameStartFont, font);
}

TEST_F(Resources, WithoutTheMusicModuleTheLoadFails)
{
    const std::string missing = dir.path() + "/wispen.it";
    EXPECT_FALSE(loadData("data.dat", missing.c_str()));
    expectNothingLoaded();

    std::ofstream(missing) << "not a module";
    EXPECT_FALSE(loadData("data.dat", missing.c_str()));
    expectNothingLoaded();
}

TEST_F(Resources, TheFontDrawsInTheColourAsked)
{
    ASSERT_TRUE(loadData());
    BITMAP* target = create_bitmap(64, 16);
    for (int colour : {makecol(200, 100, 50), makecol(40, 220, 255)}) {
        clear_to_color(target, makecol(0, 0, 0));
        textout_ex(target, font, "Wg$", 2, 2, colour, -1);
        int inked = 0;
        for (int y = 0; y < target->h; y++)
            for (int x = 0; x < target->w; x++) {
                int pixel = getpixel(target, x, y);
                if (pixel == makecol(0, 0, 0))
                    continue;
                inked++;
                EXPECT_EQ(colour, pixel) << x << "," << y;
            }
        EXPECT_GT(inked, 20);
    }
    destroy_bitmap(target);
}

TEST_F(Resources, TheFontFitsTheScreensThatUseIt)
{
    ASSERT_TRUE(loadData());
    // Menu lines stand 16 pixels apart at the closest.
    EXPECT_LE(text_height(font), 14);
    for (int c = 32; c < 127; c++) {
        const char text[2] = {static_cast<char>(c), 0};
        EXPECT_GT(text_length(font, text), 0) << c;
    }
    // A volume bar keeps its length whatever its value: a filled segment
    // (code 127) is as wide as the underscore it replaces.
    EXPECT_EQ(text_length(font, "_"), text_length(font, "\x7f"));
    EXPECT_LE(text_length(font, "Music - [\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f|"), 300);
    // The story scrolls through a window 300 pixels wide.
    std::ifstream story("story");
    ASSERT_TRUE(story.good());
    std::string line;
    while (std::getline(story, line))
        EXPECT_LE(text_length(font, line.c_str()), 300) << line;
}

// Every one of the ten cries sounds, at every pitch down to nine tenths.
TEST(PlayScrSample, PlaysEveryCryAtEveryPitchAtHalfVolume)
{
    StandInResources resources;
    SoundLog log;
    settings.volSound = 201;
    bool seen[10] = {};
    std::set<int> pitches;
    for (int cry = 0; cry < 1000; cry++) {
        log.clear();
        playScrSample();
        ASSERT_EQ(1u, log.events().size());
        const SoundEvent& event = log.events()[0];
        pitches.insert(event.frequency);
        EXPECT_EQ(100, event.volume);
        EXPECT_EQ(128, event.pan);
        EXPECT_EQ(0, event.loop);
        for (int i = 0; i < 10; i++)
            if (event.sample == scrSamples[i])
                seen[i] = true;
    }
    for (int i = 0; i < 10; i++)
        EXPECT_TRUE(seen[i]) << "SCR" << i;
    EXPECT_EQ(100u, pitches.size());
    EXPECT_EQ(901, *pitches.begin());
    EXPECT_EQ(1000, *pitches.rbegin());
}

// Registering the JPEG type cannot be undone within a process, so this runs
// in a fresh one, where it has not happened yet.
TEST(ResourcesWithoutJpeg, JpegPicturesAreRefusedRatherThanMisread)
{
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            dumb_register_stdfiles();
            bool loaded = loadData();
            bool empty = backBitmap == nullptr && spaceBitmap == nullptr && faceBitmaps[0] == nullptr;
            std::exit(!loaded && empty ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace

namespace {

// FNV-1a over values in a fixed byte order, so every architecture that loads
// the same objects computes the same hash.
std::uint32_t fnv(const std::vector<std::uint32_t>& values)
{
    std::uint32_t hash = 2166136261u;
    for (std::uint32_t value : values)
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((value >> shift) & 0xFFu)) * 16777619u;
    return hash;
}

// tests/app/golden.dat is a star and the thump cut from a data.dat the amd64
// build made (with the datafile tool's -d). Each architecture must load the
// same pixels and sample values from it: the hashes are amd64's.
TEST_F(Resources, TheAmd64DatafileLoadsTheSamePixelsAndSamplesEverywhere)
{
    DATAFILE* data = load_datafile(WISPEN_SOURCE_DIR "/tests/app/golden.dat");
    ASSERT_NE(nullptr, data);
    DATAFILE* star = find_datafile_object(data, "STAR1");
    DATAFILE* thump = find_datafile_object(data, "THUMP");
    ASSERT_TRUE(star && thump);
    auto* bitmap = static_cast<BITMAP*>(star->dat);
    std::vector<std::uint32_t> pixels{static_cast<std::uint32_t>(bitmap->w), static_cast<std::uint32_t>(bitmap->h)};
    for (int y = 0; y < bitmap->h; y++) {
        for (int x = 0; x < bitmap->w; x++) {
            int pixel = getpixel(bitmap, x, y);
            pixels.push_back(static_cast<std::uint32_t>(getr32(pixel) << 24 | getg32(pixel) << 16 |
                                                        getb32(pixel) << 8 | geta32(pixel)));
        }
    }
    auto* sample = static_cast<SAMPLE*>(thump->dat);
    ASSERT_EQ(sample->bits, 16);
    std::vector<std::uint32_t> values{static_cast<std::uint32_t>(sample->freq), static_cast<std::uint32_t>(sample->len),
                                      static_cast<std::uint32_t>(sample->stereo)};
    for (unsigned long i = 0; i < sample->len; i++)
        values.push_back(static_cast<const unsigned short*>(sample->data)[i]);
    EXPECT_EQ(fnv(pixels), 0x83706d25u) << bitmap->w << "x" << bitmap->h;
    EXPECT_EQ(fnv(values), 0x3338fc50u) << sample->len << " values";
    unload_datafile(data);
}

} // namespace
