#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileBytes.h"
#include "FileFaults.h"
#include "HighScoreFiles.h"
#include "scores/HighScoreTable.h"

using hsfile::decode;
using hsfile::record;
using hsfile::rows;
using hsfile::scores;
using hsfile::stream;
using Scores = std::vector<std::int32_t>;

namespace {

class HighScoreFile : public testing::Test {
protected:
    // Tests that take write access away give it back even when they stop early.
    void TearDown() override { chmod(dir.path().c_str(), 0700); }

    // A file holding a table that differs from the defaults.
    std::string writeOwnTable()
    {
        std::string bytes = stream({{"ZOE", 90000}, {"MAX", 80000}, {"IDA", 70000}, {"LEO", 60000},
                                    {"EVA", 50000}, {"TOM", 40000}, {"UMA", 30000}, {"KAI", 20000}});
        hsfile::writeStream(dir.file(), bytes);
        return bytes;
    }

    void expectNoTempFileLeft()
    {
        EXPECT_FALSE(hsfile::exists(dir.file() + ".tmp"));
    }

    hsfile::ScoreDir dir;
};

} // namespace

TEST_F(HighScoreFile, DestroyingATableWithoutAFileCreatesItWithTheDefaults)
{
    { HighScoreTable table(dir.file().c_str()); }

    ASSERT_TRUE(hsfile::exists(dir.file()));
    EXPECT_EQ(96u, fileBytes(dir.file()).size());
    HighScoreTable again(dir.file().c_str());
    EXPECT_EQ((Scores{8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000}), scores(again));
    for (const auto& entry : again.getEntries())
        EXPECT_STREQ("nobody  ", entry->name);
    expectNoTempFileLeft();
}

TEST_F(HighScoreFile, OnDiskIsThePasswordScrambledStreamOfTwelveByteRecords)
{
    {
        HighScoreTable table(dir.file().c_str());
        table.insert("Al", 7500);
    }

    // Read by hand: record 0 is the default best, record 1 the new short name,
    // zero-padded, with 7500 = 0x1D4C least significant byte first.
    std::string decoded = decode(dir.file());
    ASSERT_EQ(96u, decoded.size());
    EXPECT_EQ(std::string("nobody  \x40\x1F\x00\x00", 12), decoded.substr(0, 12));
    EXPECT_EQ(std::string("Al\0\0\0\0\0\0\x4C\x1D\x00\x00", 12), decoded.substr(12, 12));
    EXPECT_EQ(record("nobody  ", 2000), decoded.substr(84, 12));

    // The password applies: the raw bytes are not the stream itself, and they
    // are exactly what writing the stream straight to a file produces.
    std::string onDisk = fileBytes(dir.file());
    EXPECT_NE(decoded, onDisk);
    hsfile::writeStream(dir.path("direct.hsc"), decoded);
    EXPECT_EQ(fileBytes(dir.path("direct.hsc")), onDisk);
}

TEST_F(HighScoreFile, RewritingKeepsTheFilesPermissions)
{
    writeOwnTable();
    ASSERT_EQ(0, chmod(dir.file().c_str(), 0640));

    { HighScoreTable table(dir.file().c_str()); }

    struct stat info;
    ASSERT_EQ(0, stat(dir.file().c_str(), &info));
    EXPECT_EQ(0640u, info.st_mode & 0777);
}

TEST_F(HighScoreFile, ThePasswordIsOnlySetWhileTheFileIsOpen)
{
    const std::string plain = "plain bytes";
    std::ofstream(dir.path("other"), std::ios::binary) << plain;
    // Read with whatever password the library holds now, as the datafile
    // loader would be.
    auto readsUnscrambled = [&] {
        PACKFILE* file = pack_fopen(dir.path("other").c_str(), "r");
        char back[32] = {};
        if (file) {
            pack_fread(back, static_cast<long>(plain.size()), file);
            pack_fclose(file);
        }
        return plain == back;
    };

    {
        HighScoreTable table(dir.file().c_str());
        EXPECT_TRUE(readsUnscrambled());
    }
    EXPECT_TRUE(readsUnscrambled());
}

TEST_F(HighScoreFile, NamesKeepTheirBytesThroughTheFile)
{
    {
        HighScoreTable table(dir.file().c_str());
        table.insert("ABCDEFGHIJK", 9000);
        table.insert("Al", 8500);
    }

    std::string decoded = decode(dir.file());
    EXPECT_EQ(std::string("ABCDEFGH"), decoded.substr(0, 8));
    EXPECT_EQ(std::string("Al\0\0\0\0\0\0", 8), decoded.substr(12, 8));
    HighScoreTable again(dir.file().c_str());
    auto list = rows(again);
    EXPECT_EQ("ABCDEFGH", list[0].first);
    EXPECT_EQ("Al", list[1].first);
}

TEST_F(HighScoreFile, ForeignBytesInANameLoadAndSaveUnchanged)
{
    // Not text in any encoding the game uses; a damaged file can hold this.
    std::string odd = "\xFF\xE0\xC3\x80\xF0\xFE\xC2\xE1";
    std::string bytes = stream({{odd, 1}, {odd, 1}, {odd, 1}, {odd, 1},
                                {odd, 1}, {odd, 1}, {odd, 1}, {odd, 1}});
    hsfile::writeStream(dir.file(), bytes);

    {
        HighScoreTable table(dir.file().c_str());
        for (const auto& entry : table.getEntries()) {
            EXPECT_EQ(0, std::memcmp(odd.data(), entry->name, 8));
            EXPECT_EQ('\0', entry->name[8]);
        }
    }
    EXPECT_EQ(bytes, decode(dir.file()));
}

TEST_F(HighScoreFile, AnEmptyFileGivesEightScoresOfMinusOne)
{
    hsfile::writeStream(dir.file(), "");

    HighScoreTable table(dir.file().c_str());

    EXPECT_EQ(Scores(8, -1), scores(table));
    for (const auto& entry : table.getEntries())
        EXPECT_STREQ("", entry->name);
    EXPECT_TRUE(table.qualifies(0));
    EXPECT_FALSE(table.qualifies(-1));
}

TEST_F(HighScoreFile, AFiftyByteFileKeepsTheRestOfTheNameBuffer)
{
    std::string full = stream({{"alpha", 400}, {"bravo", 300}, {"charlie", 200}, {"abcdefgh", 100},
                               {"XYZZYXYZ", 50}, {"q", 40}, {"r", 30}, {"s", 20}});
    hsfile::writeStream(dir.file(), full.substr(0, 50));

    HighScoreTable table(dir.file().c_str());

    auto list = rows(table);
    EXPECT_EQ("alpha", list[0].first);
    EXPECT_EQ("charlie", list[2].first);
    EXPECT_EQ("abcdefgh", list[3].first);
    // Record 4 got two bytes of its own; the rest is record 3's name.
    for (int i = 4; i < 8; i++)
        EXPECT_EQ("XYcdefgh", list[i].first) << "record " << i;
    EXPECT_EQ((Scores{400, 300, 200, 100, -1, -1, -1, -1}), scores(table));
}

// A table built only to look something up (a caption, a place) leaves the
// player's file as it is, even a short one that a written table makes whole.
TEST_F(HighScoreFile, AReadOnlyTableLeavesEvenAShortFileAsItIs)
{
    hsfile::writeStream(dir.file(), stream({{"alpha", 400}, {"bravo", 300}, {"charlie", 200}, {"delta", 100}}).substr(0, 50));
    const auto before = fileBytes(dir.file());
    {
        HighScoreTable table(dir.file().c_str(), HighScoreTable::ReadOnly);
        EXPECT_EQ(400, table.getEntries().front()->score);
    }

    EXPECT_EQ(before, fileBytes(dir.file()));
    expectNoTempFileLeft();
}

TEST_F(HighScoreFile, AnUnwritableDirectoryLeavesTheOldFile)
{
    std::string bytes = writeOwnTable();
    ASSERT_EQ(0, chmod(dir.file().c_str(), 0644));
    ASSERT_EQ(0, chmod(dir.path().c_str(), 0555));
    {
        WithoutWriteAccess noWrite;
        if (!noWrite.active())
            GTEST_SKIP() << "cannot drop root's write access here";
        HighScoreTable table(dir.file().c_str());
        EXPECT_EQ(90000, table.getEntries().front()->score);
        table.insert("NEW", 95000);
    }

    EXPECT_EQ(bytes, decode(dir.file()));
    expectNoTempFileLeft();
}

TEST_F(HighScoreFile, AReadOnlyFileIsNotReplaced)
{
    std::string bytes = writeOwnTable();
    ASSERT_EQ(0, chmod(dir.path().c_str(), 0777));
    ASSERT_EQ(0, chmod(dir.file().c_str(), 0444));
    {
        WithoutWriteAccess noWrite;
        if (!noWrite.active())
            GTEST_SKIP() << "cannot drop root's write access here";
        HighScoreTable table(dir.file().c_str());
        table.insert("NEW", 95000);
    }

    EXPECT_EQ(bytes, decode(dir.file()));
    expectNoTempFileLeft();
}

TEST_F(HighScoreFile, AFullDiskLeavesTheOldFile)
{
    std::string bytes = writeOwnTable();
    {
        FileSizeLimit fullAfter(50);
        HighScoreTable table(dir.file().c_str());
        table.insert("NEW", 95000);
    }

    EXPECT_EQ(bytes, decode(dir.file()));
    EXPECT_EQ(96u, fileBytes(dir.file()).size());
    expectNoTempFileLeft();
}

TEST_F(HighScoreFile, ACrashWhileWritingLeavesTheOldFileAndTheNextSaveWorks)
{
    std::string bytes = writeOwnTable();

    pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        // Past 50 bytes the kernel kills the writer mid-table, as a crash would.
        rlimit noCore = {0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit limit = {50, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        {
            HighScoreTable table(dir.file().c_str());
            table.insert("NEW", 95000);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was expected to die mid-write";
    EXPECT_EQ(SIGXFSZ, WTERMSIG(status));
    EXPECT_EQ(bytes, decode(dir.file()));

    {
        HighScoreTable table(dir.file().c_str());
        table.insert("NEW", 95000);
    }
    HighScoreTable after(dir.file().c_str());
    EXPECT_EQ("NEW", rows(after)[0].first);
    EXPECT_EQ(96u, fileBytes(dir.file()).size());
    expectNoTempFileLeft();
}

// The golden file was made by hand from the layout (eight records of the name
// "nobody  " and 8000 down to 1000, least significant byte first, each byte
// XORed with the password's letters in turn), not by the game: a slip in the
// password, the byte order or the record layout cannot pass by sharing it.
TEST_F(HighScoreFile, TheDefaultTableOnDiskIsTheGoldenFileByteForByte)
{
    const std::string golden = fileBytes(WISPEN_SOURCE_DIR "/tests/scores/default.hsc");
    ASSERT_EQ(96u, golden.size());

    { HighScoreTable table(dir.file().c_str()); }

    EXPECT_EQ(golden, fileBytes(dir.file()));
}

// A link is followed, also a dangling one; a writable file keeps its mode.
TEST_F(HighScoreFile, ALinkedFileIsSavedAtTheLinksTargetAndKeepsItsMode)
{
    writeOwnTable();
    const std::string target = dir.path("kept.hsc");
    ASSERT_EQ(0, std::rename(dir.file().c_str(), target.c_str()));
    ASSERT_EQ(0, chmod(target.c_str(), 0604));
    ASSERT_EQ(0, symlink("kept.hsc", dir.file().c_str()));
    {
        HighScoreTable table(dir.file().c_str());
        table.insert("NEW", 95000);
    }
    struct stat info;
    ASSERT_EQ(0, lstat(dir.file().c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(0, stat(target.c_str(), &info));
    EXPECT_EQ(0604u, info.st_mode & 0777);
    EXPECT_EQ("NEW", rows(HighScoreTable(target.c_str()))[0].first);
    EXPECT_FALSE(hsfile::exists(target + ".tmp"));
}

// Root could write it: the missing write bits alone keep the file as it is.
TEST_F(HighScoreFile, AFileWithoutWriteBitsStaysAsItIsEvenForItsOwner)
{
    std::string bytes = writeOwnTable();
    ASSERT_EQ(0, chmod(dir.file().c_str(), 0444));
    {
        HighScoreTable table(dir.file().c_str());
        table.insert("NEW", 95000);
    }
    EXPECT_EQ(bytes, decode(dir.file()));
    expectNoTempFileLeft();
}

TEST_F(HighScoreFile, AFifoReadsAsTheDefaultTableAndIsLeftAlone)
{
    ASSERT_EQ(0, mkfifo(dir.file().c_str(), 0644));
    {
        HighScoreTable table(dir.file().c_str());
        EXPECT_EQ((Scores{8000, 7000, 6000, 5000, 4000, 3000, 2000, 1000}), scores(table));
    }
    struct stat info;
    ASSERT_EQ(0, lstat(dir.file().c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    expectNoTempFileLeft();
}
