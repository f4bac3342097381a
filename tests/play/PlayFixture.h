#pragma once

#include <allegro.h>
#include <gtest/gtest.h>
#include <memory>

#include "SharedState.h"
#include "StandInResources.h"
#include "input/Controls.h"
#include "settings/Settings.h"
#include "play/MainGame.h"

// A play screen over in-memory resources.
class PlayFixture : public testing::Test {
protected:
    // Runs ticks until the screen finishes or the count is used up; returns
    // the number of ticks run.
    int tick(int count = 1)
    {
        for (int i = 1; i <= count; i++)
            if (game.logic())
                return i;
        return count;
    }

    // A soul owned by the screen, placed and moving as the test says.
    Soul& addSoul(float x, float y, float vx = 0, float vy = 0)
    {
        game.souls.push_back(std::make_unique<Soul>());
        Soul& soul = *game.souls.back();
        soul.pos.x = x;
        soul.pos.y = y;
        soul.vel.x = vx;
        soul.vel.y = vy;
        return soul;
    }

    Powerup& addPowerup(Powerup::Kind kind, float x, float y)
    {
        game.powerups.push_back(std::make_unique<Powerup>(kind));
        Powerup& powerup = *game.powerups.back();
        powerup.pos.x = x;
        powerup.pos.y = y;
        powerup.state = Alive;
        return powerup;
    }

    // Starts a game and leaves the user's creature alone at rest, grown.
    void startEmpty()
    {
        game.start();
        game.souls.clear();
        game.player->state = Alive;
        game.player->counter = 60;
    }

    StandInResources resources;
    MainGame game;
};
