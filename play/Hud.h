#pragma once

#include <memory>
#include <vector>

struct BITMAP;
class Player;
class Powerup;
class Soul;

// The heads-up display the play screen draws over the field: the radar, the
// health bar, the score line and the closing "GAME OVER!". Its parts keep
// fixed pixel positions in the game's picture (PictureSize.h). It owns only the
// radar's panel; what it shows is handed to each call.
class Hud {
public:
    // The world's souls, power-ups and the user's creature as dots on a
    // translucent panel in the lower right corner.
    void drawRadar(BITMAP* target, const std::vector<std::unique_ptr<Soul>>& souls,
                   const std::vector<std::unique_ptr<Powerup>>& powerups, const Player& user);
    // One lit segment per thirtieth of ceiling that health reaches.
    void drawHealthBar(BITMAP* target, float health, float ceiling) const;
    void drawScore(BITMAP* target, int points) const;
    // Centred on the target, whatever its size.
    void drawGameOver(BITMAP* target) const;

    struct BitmapDeleter {
        void operator()(BITMAP* bitmap) const;
    };
    std::unique_ptr<BITMAP, BitmapDeleter> radarPanel;  // made by the first radar drawn

private:
    void drawRadarPanel(BITMAP* target);
};
