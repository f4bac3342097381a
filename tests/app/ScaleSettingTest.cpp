#include <allegro.h>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "TempDir.h"
#include "settings/Settings.h"

namespace {

class ScaleSetting : public testing::Test {
protected:
    void TearDown() override { set_config_data("", 0); }

    std::string write(const std::string& text)
    {
        std::ofstream(path) << text;
        return path;
    }

    TempDir dir;
    std::string path = dir.path() + "/Wispen.ini";
};

} // namespace

TEST_F(ScaleSetting, AFileFromBeforeTheSettingLoadsAsBeforeWithAutomaticScale)
{
    write("[GENERAL]\nw = 400\nh = 300\nfullscreen = 0\ndriver = 1\n\n[SPEED]\nfps = 50\n\n[WISPEN]\nrad = 12\n");
    readSettings(path.c_str());
    EXPECT_EQ(0, settings.scale);
    Settings expected;
    expected.w = 400;
    expected.h = 300;
    expected.fullscreen = 0;
    expected.driver = 1;
    expected.fps = 50;
    expected.rad = 12;
    EXPECT_EQ(0, std::memcmp(&expected, &settings, sizeof settings));
}

TEST_F(ScaleSetting, ReadFromGeneralOnlyAndTextReadsAsAutomatic)
{
    write("[GENERAL]\nscale = 3\n");
    readSettings(path.c_str());
    EXPECT_EQ(3, settings.scale);

    settings = Settings();
    write("[WISPEN]\nscale = 3\n");
    readSettings(path.c_str());
    EXPECT_EQ(0, settings.scale) << "a key in another section is not the setting";

    settings.scale = 2;
    write("[GENERAL]\nscale = big\n");
    readSettings(path.c_str());
    EXPECT_EQ(0, settings.scale);
}

TEST_F(ScaleSetting, WrittenBackUnderGeneralAsItWasRead)
{
    for (const char* value : {"0", "1", "2", "-4", "99999"}) {
        write(std::string("[GENERAL]\nscale = ") + value + "\n\n[SPEED]\nfps = 60\n");
        settings = Settings();
        readSettings(path.c_str());
        writeSettings(path.c_str());

        std::ifstream in(path);
        std::string line;
        std::string section;
        std::string foundIn;
        while (std::getline(in, line)) {
            if (!line.empty() && line[0] == '[')
                section = line;
            else if (line.rfind("scale = ", 0) == 0 && line.substr(8) == value)
                foundIn = section;
        }
        EXPECT_EQ("[GENERAL]", foundIn) << value;
    }
}
