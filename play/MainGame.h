#pragma once

#include <memory>
#include <vector>

#include "frame/GameScreen.h"
#include "play/Ambience.h"
#include "play/Hud.h"
#include "play/Replay.h"
#include "play/Spawner.h"
#include "world/Camera.h"
#include "world/Player.h"
#include "world/Powerup.h"
#include "world/Score.h"
#include "world/ScoreBubble.h"
#include "world/Soul.h"
#include "world/Star.h"

struct BITMAP;

// The screen on which one game is played. It owns every world object of the
// game and the running score; the application keeps one for its whole life
// and begins each game with start. Between starts the objects persist, so a
// game left for the abandon question resumes exactly where it stood.
class MainGame : public GameScreen {
public:
    // Once the creature is gone, whether its score enters the high-score
    // table; the file is only read.
    int getResult() override;
    // Escape would ask whether to abandon the game now. Reads nothing from
    // disk: the answer at the end of a game builds the high-score table.
    bool asksToAbandon() const;
    // One tick of play. The six actions are read once as it begins, from
    // the devices or from the replay being played back, recorded, and held
    // for the whole tick.
    bool logic() override;
    // Sizes are taken from the target, so any bitmap can receive the frame;
    // the radar, health bar and score line keep their fixed pixel positions.
    void draw(BITMAP* target) override;
    Error start() override;
    // A new game with the random numbers seeded afresh by seed, recorded from
    // its first tick.
    void begin(std::uint32_t seed);
    // The replay's game: its settings must be in place; until the next begin
    // its keys stand in for the player's. The replay must outlive the game.
    void beginPlayback(const Replay& replay);

    void handleCollisions();
    // Applies the contact of a and b, if they touch; a is the user's
    // creature or a soul, b always a soul.
    void collide(Player& a, Player& b);
    // Only the user's creature and souls of this game can be killed.
    void kill(Player& creature);
    void collectPowerup(Powerup& powerup);

    Hud hud;
    std::vector<std::unique_ptr<Star>> stars;
    std::vector<std::unique_ptr<Soul>> souls;
    std::vector<std::unique_ptr<Powerup>> powerups;
    std::vector<std::unique_ptr<ScoreBubble>> bubbles;
    // Souls and the camera aim at player without owning it; it is replaced
    // only by start, after every soul is gone.
    std::unique_ptr<Player> player;
    std::unique_ptr<Camera> camera;
    Spawner spawner;
    Ambience ambience;
    Score score;
    // The game being played, tick by tick; finished by whoever ends the game.
    Replay recording;

private:
    void clearWorld();
    void updateSouls();
    void updatePowerups();
    void updateBubbles();
    bool finishes();
    // The one tick the grown creature is killed; play goes on under the
    // game-over music.
    bool grownCreatureKilled() const;
    void latchTickKeys();
    bool playTick();

    void pickUp(Powerup& powerup);
    void apply(const Powerup::Effect& effect);
    void playThump();
    void addBubble(float x, float y, const char* text);

    const Replay* playback = nullptr;
    std::uint32_t seed = 0;
};
