#include <allegro.h>
#include <climits>
#include <gtest/gtest.h>

#include "ScratchWorkingDir.h"
#include "StandInResources.h"
#include "settings/Settings.h"
#include "flow/WispenGame.h"

// The music volume from a hand-edited configuration file: whatever volMusic
// holds, the music plays between silence and full.

TEST(MusicVolume, IsKeptBetweenSilenceAndFullWhateverTheFileHolds)
{
    StandInResources resources;
    ScratchWorkingDir dir;
    {
        WispenGame game;
        const std::pair<int, float> cases[] = {{125, 125 / 256.0f}, {255, 255 / 256.0f}, {256, 255 / 256.0f},
                                               {INT_MAX, 255 / 256.0f}, {-1, 0.0f},       {INT_MIN, 0.0f}};
        for (const auto& [volMusic, heard] : cases) {
            settings.volMusic = volMusic;
            game.logic();
            EXPECT_FLOAT_EQ(heard, game.musicStream.volume) << volMusic;
        }
        EXPECT_EQ(INT_MIN, settings.volMusic) << "the setting itself keeps what the file held";
    }
}
