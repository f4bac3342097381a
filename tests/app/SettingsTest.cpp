#include <allegro.h>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "settings/Settings.h"
#include "FileFaults.h"
#include "FileBytes.h"
#include "TempDir.h"

namespace {

class SettingsFile : public testing::Test {
protected:
    void TearDown() override { set_config_data("", 0); }

    std::string write(const std::string& name, const std::string& text)
    {
        std::string path = dir.path() + "/" + name;
        std::ofstream(path) << text;
        return path;
    }

    TempDir dir;
};

} // namespace

TEST_F(SettingsFile, MissingFileKeepsEveryDefault)
{
    readSettings((dir.path() + "/Wispen.ini").c_str());
    EXPECT_EQ(320, settings.w);
    EXPECT_EQ(240, settings.h);
    EXPECT_EQ(32, settings.bpp);
    EXPECT_EQ(1, settings.fullscreen);
    EXPECT_EQ(60, settings.fps);
    EXPECT_EQ(1, settings.unlimitedFPS);
    EXPECT_EQ(0, settings.showFPS);
    EXPECT_EQ(0, settings.driver);
    EXPECT_EQ(0.04f, settings.acc);
    EXPECT_EQ(0.98f, settings.dec);
}

TEST_F(SettingsFile, OnlyFullscreenOffKeepsTheOtherDefaults)
{
    std::string path = write("Wispen.ini", "[GENERAL]\nfullscreen = 0\n");
    readSettings(path.c_str());
    EXPECT_EQ(0, settings.fullscreen);
    Settings defaults;
    defaults.fullscreen = 0;
    EXPECT_EQ(0, std::memcmp(&defaults, &settings, sizeof settings));
}

TEST_F(SettingsFile, KeyInTheWrongSectionIsNotFound)
{
    std::string path = write("Wispen.ini", "[WISPEN]\nfps = 30\n[GENERAL]\nrad = 8\n");
    readSettings(path.c_str());
    EXPECT_EQ(60, settings.fps);
    EXPECT_EQ(16, settings.rad);
}

// The whole file as the game writes it with four settings changed: every key
// in its section and its format, so a key added, lost, moved or written
// differently shows, as does one that reads back as something else.
TEST_F(SettingsFile, WritesTheGoldenFileAndReadsItBack)
{
    std::string path = dir.path() + "/Wispen.ini";
    settings.bpp = 24;
    settings.acc = 0.05f;
    settings.difficulty = 2;
    settings.volMusic = 250;
    writeSettings(path.c_str());

    EXPECT_EQ(fileBytes(WISPEN_SOURCE_DIR "/tests/app/changed.ini"), fileBytes(path));
    Settings written = settings;
    settings = Settings();
    readSettings(path.c_str());
    EXPECT_EQ(0, std::memcmp(&written, &settings, sizeof settings));
}

TEST_F(SettingsFile, KeysAddedToAHandWrittenFileStayInTheirSections)
{
    // No blank lines between sections: the missing GENERAL keys must not end
    // up under SPEED, where the next start would not find them.
    std::string path = write("Wispen.ini", "[GENERAL]\nfullscreen = 0\n[SPEED]\nfps = 50\n[WISPEN]\nrad = 12\n");
    readSettings(path.c_str());
    settings.w = 640;
    writeSettings(path.c_str());

    settings = Settings();
    readSettings(path.c_str());
    EXPECT_EQ(640, settings.w);
    EXPECT_EQ(0, settings.fullscreen);
    EXPECT_EQ(50, settings.fps);
    EXPECT_EQ(12, settings.rad);
}

TEST_F(SettingsFile, AFullDiskLeavesTheOldFileWhole)
{
    std::string path = write("Wispen.ini", "[GENERAL]\nfullscreen = 0\n");
    std::string before = fileBytes(path);
    settings.w = 800;
    {
        FileSizeLimit fullAfter(40);
        writeSettings(path.c_str());
    }
    EXPECT_EQ(before, fileBytes(path));
    EXPECT_FALSE(std::ifstream(path + ".tmp").good());
}

TEST_F(SettingsFile, AnUnwritableDirectoryLeavesTheOldFileAndStillReadsIt)
{
    std::string path = write("Wispen.ini", "[GENERAL]\nfullscreen = 0\n");
    std::string before = fileBytes(path);
    chmod(dir.path().c_str(), 0555);
    {
        WithoutWriteAccess readOnly;
        settings.w = 800;
        writeSettings(path.c_str());
    }
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(before, fileBytes(path));
    EXPECT_EQ(0, get_config_int("GENERAL", "fullscreen", 1));
}

TEST_F(SettingsFile, ALinkIsFollowedAndItsTargetKeepsItsMode)
{
    std::string target = write("kept.ini", "[GENERAL]\nfullscreen = 0\n");
    ASSERT_EQ(0, chmod(target.c_str(), 0604));
    std::string path = dir.path() + "/Wispen.ini";
    ASSERT_EQ(0, symlink("kept.ini", path.c_str()));
    settings.w = 800;
    writeSettings(path.c_str());

    struct stat info;
    ASSERT_EQ(0, lstat(path.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    ASSERT_EQ(0, stat(target.c_str(), &info));
    EXPECT_EQ(0604u, info.st_mode & 0777);
    EXPECT_NE(std::string::npos, fileBytes(target).find("w = 800"));
}

TEST_F(SettingsFile, AFileWithoutWriteBitsStaysAsItIs)
{
    std::string path = write("Wispen.ini", "[GENERAL]\nfullscreen = 0\n");
    std::string before = fileBytes(path);
    ASSERT_EQ(0, chmod(path.c_str(), 0444));
    settings.w = 800;
    writeSettings(path.c_str());
    EXPECT_EQ(before, fileBytes(path));
    EXPECT_FALSE(std::ifstream(path + ".tmp").good());
}

TEST_F(SettingsFile, AWritableFileInAnUnwritableDirectoryIsWrittenInPlace)
{
    std::string path = write("Wispen.ini", "[GENERAL]\nfullscreen = 0\n");
    ASSERT_EQ(0, chmod(path.c_str(), 0666));
    readSettings(path.c_str());
    chmod(dir.path().c_str(), 0555);
    {
        WithoutWriteAccess readOnly;
        if (!readOnly.active()) {
            chmod(dir.path().c_str(), 0700);
            GTEST_SKIP() << "cannot drop root's write access here";
        }
        settings.w = 800;
        writeSettings(path.c_str());
    }
    chmod(dir.path().c_str(), 0700);
    settings = Settings();
    readSettings(path.c_str());
    EXPECT_EQ(800, settings.w);
    EXPECT_EQ(0, settings.fullscreen);
}

TEST_F(SettingsFile, AFifoReadsAsDefaultsAndIsLeftAlone)
{
    std::string path = dir.path() + "/Wispen.ini";
    ASSERT_EQ(0, mkfifo(path.c_str(), 0644));
    readSettings(path.c_str());
    EXPECT_EQ(1, settings.fullscreen);
    settings.w = 800;
    writeSettings(path.c_str());
    struct stat info;
    ASSERT_EQ(0, lstat(path.c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}
