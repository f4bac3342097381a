#include <cstdio>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "FileBytes.h"
#include "PlayFixture.h"
#include "TempDir.h"
#include "input/Controls.h"
#include "play/ReplayFile.h"
#include "play/ReplayScreen.h"
#include "play/ReplayVerifier.h"

namespace {

// The recorded games under tests/replays and what they came to: those of
// 1.0.0/ as version 1.0.0 recorded them, without digests, and one game with
// digests. Any change to the world or the play logic that alters one of them
// shows here; when it is meant, the goldens are made again
// (tests/replays/make_golden_replays) and the commit says why.
struct Golden {
    const char* file;
    int score;
    unsigned ticks;
};

const Golden GOLDENS[] = {
    {"1.0.0/easy-long.rpl", 3900, 3239},
    {"1.0.0/normal-abandoned.rpl", 400, 901},
    {"1.0.0/hard-plain.rpl", 950, 856},
    {"1.0.0/easy-steered.rpl", 7800, 3966},
    {"format2/easy-long.rpl", 3900, 3239},
};

std::string goldenPath(const char* file) { return std::string(WISPEN_SOURCE_DIR) + "/tests/replays/" + file; }

class GoldenReplay : public PlayFixture {
protected:
    Replay load(const char* file)
    {
        Replay replay;
        std::string why;
        EXPECT_TRUE(ReplayFile::read(goldenPath(file), replay, why)) << file << ": " << why;
        return replay;
    }

    // Plays the replay to its end without drawing; false when it never ends.
    bool playToEnd(ReplayScreen& screen, const Replay& replay)
    {
        screen.show(replay, "", true);
        for (unsigned tick = 0; tick <= replay.tickCount() && screen.playing(); tick++)
            screen.step();
        return !screen.playing();
    }
};

TEST_F(GoldenReplay, EveryGoldenGameComesOutAsRecorded)
{
    for (const Golden& golden : GOLDENS) {
        SCOPED_TRACE(golden.file);
        Replay replay = load(golden.file);
        EXPECT_EQ(replay.finalScore, golden.score);
        EXPECT_EQ(replay.tickCount(), golden.ticks);
        ReplayScreen screen;
        ASSERT_TRUE(playToEnd(screen, replay));
        EXPECT_FALSE(screen.outOfStep());
        EXPECT_EQ(screen.game.score.total(), golden.score);
        EXPECT_EQ(screen.game.recording.tickCount(), golden.ticks);
    }
}

TEST_F(GoldenReplay, TheGoldensCoverTheDifficultiesAndTheSparseSettings)
{
    EXPECT_EQ(load("1.0.0/easy-long.rpl").play.difficulty, 0);
    EXPECT_EQ(load("1.0.0/normal-abandoned.rpl").play.difficulty, 1);
    Replay plain = load("1.0.0/hard-plain.rpl");
    EXPECT_EQ(plain.play.difficulty, 2);
    EXPECT_EQ(plain.play.maxParticles, 0);
    EXPECT_EQ(plain.play.nStars, 0);
}

TEST_F(GoldenReplay, PlaybackLeavesThePlayersSettingsAsTheyWere)
{
    settings.difficulty = 2;
    settings.nStars = 17;
    settings.volSound = 99;
    {
        ReplayScreen screen;
        playToEnd(screen, load("1.0.0/easy-long.rpl"));
        EXPECT_EQ(settings.difficulty, 0);
        EXPECT_EQ(settings.volSound, 0);
    }
    EXPECT_EQ(settings.difficulty, 2);
    EXPECT_EQ(settings.nStars, 17);
    EXPECT_EQ(settings.volSound, 99);
}

// The net must be able to catch something: one key changed at one tick, or
// a score that was not the one played, and the playback says so.
TEST_F(GoldenReplay, AChangedKeyOrScoreIsOutOfStep)
{
    Replay changed = load("1.0.0/easy-long.rpl");
    changed.ticks[changed.ticks.size() / 3] ^= 1u;  // Left, a third of the way in
    ReplayScreen screen;
    playToEnd(screen, changed);
    EXPECT_TRUE(screen.outOfStep());

    Replay wrongScore = load("1.0.0/hard-plain.rpl");
    wrongScore.finalScore += 1;
    ReplayScreen other;
    playToEnd(other, wrongScore);
    EXPECT_TRUE(other.outOfStep());
}

// What "wispen --verify-replay" prints and ends with: in step for every
// golden, out of step once one key of one tick is changed, and unreadable,
// with the reason --replay gives, for a damaged file.
TEST_F(GoldenReplay, TheVerifierGivesEachFileItsVerdictAndStatus)
{
    TempDir dir;
    const std::string outPath = dir.path() + "/out", errPath = dir.path() + "/err";
    auto verify = [&](const std::string& path) {
        std::FILE* out = std::fopen(outPath.c_str(), "w");
        std::FILE* err = std::fopen(errPath.c_str(), "w");
        ReplayVerifier::Status status = ReplayVerifier::verify(path, out, err);
        std::fclose(out);
        std::fclose(err);
        return status;
    };
    for (const Golden& golden : GOLDENS) {
        SCOPED_TRACE(golden.file);
        EXPECT_EQ(verify(goldenPath(golden.file)), ReplayVerifier::InStep);
        std::string recorded = std::to_string(golden.score) + " at tick " + std::to_string(golden.ticks);
        EXPECT_EQ(fileBytes(outPath),
                  goldenPath(golden.file) + ": recorded " + recorded + ", replayed " + recorded + ": in step\n");
        EXPECT_EQ(fileBytes(errPath), "");
    }

    Replay changed = load("1.0.0/hard-plain.rpl");
    changed.ticks[changed.ticks.size() / 2] ^= 1u;  // Left, half way
    const std::string changedPath = dir.path() + "/changed.rpl";
    ASSERT_TRUE(ReplayFile::write(changedPath, changed));
    EXPECT_EQ(verify(changedPath), ReplayVerifier::OutOfStep);
    std::string line = fileBytes(outPath);
    EXPECT_EQ(line.rfind(changedPath + ": recorded 950 at tick 856, replayed ", 0), 0u) << line;
    const std::string verdict = ": out of step\n";
    ASSERT_GT(line.size(), verdict.size());
    EXPECT_EQ(line.substr(line.size() - verdict.size()), verdict) << line;

    std::string bytes = fileBytes(goldenPath("1.0.0/hard-plain.rpl"));
    bytes[bytes.size() / 2] ^= 0x10;
    const std::string damagedPath = dir.path() + "/damaged.rpl";
    std::ofstream(damagedPath, std::ios::binary) << bytes;
    Replay unread;
    std::string why;
    ASSERT_FALSE(ReplayFile::read(damagedPath, unread, why));
    EXPECT_EQ(verify(damagedPath), ReplayVerifier::Unreadable);
    EXPECT_EQ(fileBytes(outPath), "");
    EXPECT_EQ(fileBytes(errPath), "Error: " + why + "\n");
}

// The game with digests is the 1.0.0 game recorded again: digests change
// nothing of play. One digest broken on purpose is named by the verifier at
// its tick and in its quantity, though score and tick count agree.
TEST_F(GoldenReplay, ABrokenDigestIsNamedAtItsTickAndQuantity)
{
    Replay digested = load("format2/easy-long.rpl");
    EXPECT_EQ(digested.formatVersion, 2);
    EXPECT_EQ(digested.ticks, load("1.0.0/easy-long.rpl").ticks);
    ASSERT_EQ(digested.digests.size(), 3239u / Replay::CHECK_INTERVAL);
    EXPECT_EQ(ReplayFile::encode(digested), fileBytes(goldenPath("format2/easy-long.rpl")));

    digested.digests[20][Replay::Health] ^= 1u;  // the check after tick 21 * 60
    TempDir dir;
    const std::string path = dir.path() + "/broken.rpl", outPath = dir.path() + "/out";
    ASSERT_TRUE(ReplayFile::write(path, digested));
    std::FILE* out = std::fopen(outPath.c_str(), "w");
    EXPECT_EQ(ReplayVerifier::verify(path, out, stderr), ReplayVerifier::OutOfStep);
    std::fclose(out);
    EXPECT_EQ(fileBytes(outPath), path + ": recorded 3900 at tick 3239, replayed 3900 at tick 3239: out of step " +
                                      "from tick 1260: differs in the creatures' health\n");
}

// A game recorded now plays back the same, whatever it went through: an
// Escape answered "no" with the key still held, and the abandon at the end.
TEST_F(GoldenReplay, AGameJustRecordedPlaysBackInStep)
{
    game.begin(4242u);
    game.readKeys();
    for (int tick = 0; tick < 700; tick++) {
        key[KEY_LEFT] = (tick / 50) % 2;
        key[KEY_DOWN] = (tick / 70) % 3 == 0;
        key[KEY_ESC] = tick == 300 || tick == 699;
        if (game.logic() && tick == 300)
            game.readKeys();
    }
    game.recording.finish(game.score.total());
    Replay recorded;
    std::string why;
    ASSERT_TRUE(ReplayFile::decode(ReplayFile::encode(game.recording), recorded, why)) << why;
    ReplayScreen screen;
    ASSERT_TRUE(playToEnd(screen, recorded));
    EXPECT_FALSE(screen.outOfStep());
    EXPECT_EQ(screen.game.recording.ticks, game.recording.ticks);
}

// The goldens played again by hand, with every action on another key and
// the arrows, Enter and Escape pressed against the recording: a replay holds
// actions, so the game recorded is the golden byte for byte.
TEST_F(GoldenReplay, AGoldenPlayedOnRemappedKeysRecordsTheSameGame)
{
    const char* const REMAPPED[ACTION_COUNT] = {"a", "d", "w", "s", "space", "tab"};  // Left .. Back
    const int DEFAULTS_AGAINST[ACTION_COUNT] = {KEY_RIGHT, KEY_LEFT, KEY_DOWN, KEY_UP, KEY_ESC, KEY_ENTER};
    for (const Golden& golden : GOLDENS) {
        SCOPED_TRACE(golden.file);
        const Replay replay = load(golden.file);
        replay.applySettings();
        for (int a = 0; a < ACTION_COUNT; a++)
            setKeyName(settings, static_cast<Action>(a), REMAPPED[a]);
        controls.bind(settings);
        ASSERT_EQ(controls.keyOf(Action::Left), KEY_A);
        ASSERT_EQ(controls.keyOf(Action::Back), KEY_TAB);

        game.begin(replay.seed);
        game.readKeys();
        for (unsigned tick = 0; tick < replay.tickCount(); tick++) {
            for (int a = 0; a < ACTION_COUNT; a++) {
                const bool down = (replay.ticks[tick] >> a) & 1u;
                key[controls.keyOf(static_cast<Action>(a))] = down;
                key[DEFAULTS_AGAINST[a]] = !down;
            }
            if (game.logic() && tick + 1 < replay.tickCount())
                game.readKeys();  // the abandon question answered "no"
        }
        EXPECT_EQ(game.recording.ticks, replay.ticks);
        EXPECT_EQ(game.score.total(), golden.score);
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
    }
}

} // namespace
