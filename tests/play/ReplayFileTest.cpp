#include <cstdint>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <sys/stat.h>

#include "TempDir.h"
#include "play/Replay.h"
#include "play/ReplayFile.h"
#include "play/ReplayArchive.h"

namespace {

std::string goldenBytes()
{
    std::ifstream in(std::string(WISPEN_SOURCE_DIR) + "/tests/replays/1.0.0/normal-abandoned.rpl", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The checksum docs/MAINTAINERS.md gives, written out again here so a slip in the game's own
// cannot pass: CRC-32 (zlib's) over every byte before the last four.
std::uint32_t readmeCrc(const std::string& bytes, std::size_t size)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; i++) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int k = 0; k < 8; k++)
            crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

void putU32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; i++)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
}

// A field changed and the checksum made right again, as a careful forger
// (or a bug on the writing side) would leave it.
std::string withField(std::string bytes, std::size_t at, std::uint32_t value)
{
    putU32(bytes, at, value);
    putU32(bytes, bytes.size() - 4, readmeCrc(bytes, bytes.size() - 4));
    return bytes;
}

std::string refusal(const std::string& bytes)
{
    Replay replay;
    std::string why;
    if (ReplayFile::decode(bytes, replay, why))
        return "";
    EXPECT_FALSE(why.empty());
    return why;
}

TEST(ReplayFile, TheGoldenFileHasTheDocumentedLayout)
{
    std::string bytes = goldenBytes();
    ASSERT_GE(bytes.size(), 64u);
    EXPECT_EQ(bytes.substr(0, 4), "WSPR");
    EXPECT_EQ(readmeCrc(bytes, bytes.size() - 4),
              static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[bytes.size() - 4])) |
                  static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[bytes.size() - 3])) << 8 |
                  static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[bytes.size() - 2])) << 16 |
                  static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[bytes.size() - 1])) << 24);
    Replay replay;
    std::string why;
    ASSERT_TRUE(ReplayFile::decode(bytes, replay, why)) << why;
    EXPECT_EQ(ReplayFile::encode(replay), bytes);
}

TEST(ReplayFile, AFileCutAnywhereIsRefused)
{
    std::string bytes = goldenBytes();
    EXPECT_EQ(refusal(""), "the file is empty");
    for (std::size_t size = 1; size < bytes.size(); size++)
        EXPECT_NE(refusal(bytes.substr(0, size)), "") << "cut to " << size << " bytes";
}

TEST(ReplayFile, DamagedFilesAreRefusedWithTheirReason)
{
    std::string bytes = goldenBytes();
    std::string flipped = bytes;
    flipped[bytes.size() - 1] ^= 0x01;
    EXPECT_NE(refusal(flipped).find("checksum"), std::string::npos);
    std::string inside = bytes;
    inside[60] ^= 0x40;
    EXPECT_NE(refusal(inside).find("checksum"), std::string::npos);

    EXPECT_NE(refusal(withField(bytes, 4, Replay::FORMAT_VERSION + 1u)).find("file format"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, 4, (GAME_VERSION + 1u) << 16 | Replay::FIRST_FORMAT)).find("another version"),
              std::string::npos);
    EXPECT_NE(refusal(withField(bytes, 12, 0)).find("fps"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, 16, 0x7FC00000u)).find("acc"), std::string::npos);  // nan
    EXPECT_NE(refusal(withField(bytes, 24, 513)).find("rad"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, 40, static_cast<std::uint32_t>(-1))).find("maxParticles"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, 44, 3)).find("difficulty"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, 48, 100001)).find("nStars"), std::string::npos);

    const std::size_t count = bytes.size() - 8;
    EXPECT_NE(refusal(withField(bytes, count, 0xFFFFFFFFu)).find("more than any game"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, count, 900)).find("damaged"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, count, 902)).find("damaged"), std::string::npos);
}

// The digests' count sits before the digests, 20 bytes each, and the trailer.
TEST(ReplayFile, DamagedDigestsAreRefusedWithTheirReason)
{
    std::ifstream in(std::string(WISPEN_SOURCE_DIR) + "/tests/replays/format2/easy-long.rpl", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t digests = 3239 / 60, countAt = bytes.size() - 12 - digests * 20 - 4;
    ASSERT_EQ(refusal(bytes), "");
    EXPECT_NE(refusal(withField(bytes, countAt, digests + 1)).find("more than its 3239 ticks"), std::string::npos);
    EXPECT_NE(refusal(withField(bytes, countAt, digests - 1)).find("digests end before"), std::string::npos);
    std::string cut = bytes;
    cut.erase(countAt + 4, 20);
    EXPECT_NE(refusal(withField(cut, countAt, digests)).find("digests are cut short"), std::string::npos);
    std::string longer = bytes;
    longer.insert(countAt + 4, 1, '\0');
    EXPECT_NE(refusal(withField(longer, countAt, digests)).find("bytes follow its digests"), std::string::npos);
}

TEST(ReplayFile, RandomBytesAreRefused)
{
    std::mt19937 random(15);
    for (int i = 0; i < 200; i++) {
        std::string bytes(random() % 300, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        if (i % 2)
            bytes.replace(0, std::min<std::size_t>(4, bytes.size()), "WSPR");
        EXPECT_NE(refusal(bytes), "");
    }
}

TEST(ReplayFile, AMissingFileIsRefused)
{
    Replay replay;
    std::string why;
    EXPECT_FALSE(ReplayFile::read("/nonexistent/replay.rpl", replay, why));
    EXPECT_NE(why.find("cannot open"), std::string::npos);
}

TEST(ReplayFile, AFifoIsRefusedWithoutBlocking)
{
    const std::string path = ::testing::TempDir() + "replay-fifo.rpl";
    std::remove(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    Replay replay;
    std::string why;
    EXPECT_FALSE(ReplayFile::read(path, replay, why));
    EXPECT_NE(why.find("not a regular file"), std::string::npos);
    std::remove(path.c_str());
}

// A new high score takes its place's replay; those below move down with
// their entries, a place whose replay was lost passes on no replay, and the
// one pushed off the table is gone.
TEST(ReplayArchive, ANewEntryKeepsItsReplayAndTheLastGoes)
{
    TempDir dir;
    ReplayArchive archive(dir.path());
    Replay replay;
    std::string why;
    ASSERT_TRUE(ReplayFile::decode(goldenBytes(), replay, why)) << why;
    for (int place = 0; place < ReplayArchive::PLACES; place++) {
        replay.finalScore = 1000 * (8 - place);
        if (place != 5) {
            ASSERT_TRUE(ReplayFile::write(archive.highScorePath(place), replay));
        }
    }
    replay.finalScore = 5500;
    archive.keepHighScore(3, replay);

    // 0: no replay at that place.
    const int expected[ReplayArchive::PLACES] = {8000, 7000, 6000, 5500, 5000, 4000, 0, 2000};
    for (int place = 0; place < ReplayArchive::PLACES; place++) {
        Replay kept;
        if (expected[place] == 0) {
            EXPECT_EQ(std::fopen(archive.highScorePath(place).c_str(), "rb"), nullptr) << place;
            continue;
        }
        ASSERT_TRUE(ReplayFile::read(archive.highScorePath(place), kept, why)) << place << ": " << why;
        EXPECT_EQ(kept.finalScore, expected[place]) << place;
    }
    EXPECT_EQ(std::fopen(archive.highScorePath(ReplayArchive::PLACES).c_str(), "rb"), nullptr);
}

} // namespace
