#include "play/MainGame.h"

#include <allegro.h>
#include <cstdlib>
#include <optional>

#include "input/Controls.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "frame/Sound.h"
#include "play/Contact.h"
#include "play/WorldDigest.h"
#include "scores/HighScoreTable.h"
#include "world/Difficulty.h"

namespace {

constexpr int THUMP_PITCH = 950;
constexpr int THUMP_PITCH_SPREAD = 100;

constexpr float PICKUP_DISTANCE_SQUARED = 500.0f;

// Health goes up to the ceiling and never past it; a creature above its
// ceiling (the difficulty changed mid-game) is brought down to it.
void heal(Player& creature, float amount, float ceiling)
{
    float healed = creature.health + amount;
    creature.health = healed < ceiling ? healed : ceiling;
}

template <typename T, typename Finished>
void updateAndRemove(std::vector<std::unique_ptr<T>>& objects, Finished finished)
{
    for (auto it = objects.begin(); it != objects.end();) {
        (*it)->update();
        if (finished(**it))
            it = objects.erase(it);
        else
            ++it;
    }
}

} // namespace

// The souls go before the creature they aim at is replaced.
void MainGame::clearWorld()
{
    stars.clear();
    souls.clear();
    powerups.clear();
    bubbles.clear();
}

Error MainGame::start()
{
    clearWorld();
    player = std::make_unique<Player>();
    camera = std::make_unique<Camera>();
    camera->setTarget(player.get());

    const int starCount = clampedStarCount(settings.nStars);
    for (int i = 0; i < starCount; i++)
        stars.push_back(std::make_unique<Star>());
    for (auto& star : stars)
        star->reset();
    player->reset();
    camera->reset();

    spawner.start(souls, *player);
    ambience.reset();
    score.clear();
    recording.begin(seed);
    return Error(NoError);
}

void MainGame::begin(std::uint32_t gameSeed)
{
    playback = nullptr;
    seed = gameSeed;
    std::srand(seed);
    start();
}

void MainGame::beginPlayback(const Replay& replay)
{
    begin(replay.seed);
    playback = &replay;
}

bool MainGame::logic()
{
    latchTickKeys();
    bool finished = playTick();
    controls.unlatch();
    if (recording.tickCount() % Replay::CHECK_INTERVAL == 0)
        recording.check(WorldDigest::of(*this));
    return finished;
}

// A tick past the end of a replay reads every key up.
void MainGame::latchTickKeys()
{
    unsigned keys;
    if (playback) {
        std::size_t tick = recording.ticks.size();
        keys = tick < playback->ticks.size() ? playback->ticks[tick] : 0u;
        prevAction[bitOf(Action::Back)] = (keys & Replay::ESCAPE_SEEN) ? 1 : 0;
    } else {
        keys = controls.heldActions() | (prevAction[bitOf(Action::Back)] ? Replay::ESCAPE_SEEN : 0u);
    }
    recording.record(keys);
    controls.latch(keys);
}

bool MainGame::playTick()
{
    updateSouls();
    updatePowerups();
    updateBubbles();
    player->update();
    handleCollisions();
    camera->update();
    spawner.runSoulTimer(souls, *player);
    spawner.runPowerupTimer(powerups);
    ambience.runScrTimer();
    ambience.startSets();
    score.tick();
    if (!finishes())
        return false;
    ambience.stopSets();
    return true;
}

void MainGame::updateSouls()
{
    updateAndRemove(souls, [](const Soul& soul) { return soul.state == Dead; });
}

void MainGame::updatePowerups()
{
    updateAndRemove(powerups, [](const Powerup& powerup) { return powerup.state == Dead; });
}

void MainGame::updateBubbles()
{
    updateAndRemove(bubbles, [](const ScoreBubble& bubble) { return bubble.life < 1; });
}

// Escape (through the base screen, which otherwise refreshes the key
// snapshot), Enter held once the creature is gone, and the very tick a grown
// creature is killed, so the application can change the music while play
// goes on.
bool MainGame::finishes()
{
    if (GameScreen::logic())
        return true;
    if (player->state == Dead && controls.held(Action::Choose))
        return true;
    return grownCreatureKilled();
}

bool MainGame::grownCreatureKilled() const { return player->state == Dying && player->grown(); }

bool MainGame::asksToAbandon() const { return !grownCreatureKilled() && player->state != Dead; }

int MainGame::getResult()
{
    if (grownCreatureKilled())
        return GameOverMusic;
    if (player->state == Dead) {
        HighScoreTable table(HIGH_SCORE_FILE, HighScoreTable::ReadOnly);
        return table.qualifies(score.total()) ? EnterName : MainMenu;
    }
    return ConfirmAbandon;
}

void MainGame::handleCollisions()
{
    if (player->state != Dying && player->state != Dead) {
        for (size_t i = 0; i < souls.size(); i++)
            if (souls[i]->state != Dying)
                collide(*player, *souls[i]);
        for (size_t i = 0; i < powerups.size(); i++) {
            Powerup& powerup = *powerups[i];
            if (powerup.state == Alive && squaredDistance(*player, powerup) < PICKUP_DISTANCE_SQUARED)
                pickUp(powerup);
        }
    }
    for (size_t a = 0; a < souls.size(); a++)
        for (size_t b = 0; b < souls.size(); b++)
            collide(*souls[a], *souls[b]);
}

void MainGame::pickUp(Powerup& powerup)
{
    playSample(collectSample, settings.volSound, PAN_CENTRE, NORMAL_PITCH, 0);
    apply(powerup.effect());
    addBubble(powerup.pos.x, powerup.pos.y, Powerup::effectText(powerup.effect()).c_str());
    if (player->health <= 0)
        kill(*player);
    collectPowerup(powerup);
}

void MainGame::apply(const Powerup::Effect& effect)
{
    switch (effect.type) {
    case Powerup::Effect::Money:
        score.add(effect.amount);
        break;
    case Powerup::Effect::Heal:
        heal(*player, static_cast<float>(effect.amount), Difficulty::playerCeiling());
        break;
    case Powerup::Effect::Hurt:
        player->health -= static_cast<float>(effect.amount);
        break;
    }
}

void MainGame::collide(Player& a, Player& b)
{
    std::optional<Contact> contact = Contact::between(a, b);
    if (!contact)
        return;
    if (&a == player.get())
        playThump();
    Player& faster = contact->firstFaster ? a : b;
    Player& slower = contact->firstFaster ? b : a;
    bool userScores = &faster == player.get();

    slower.health = contact->slowerHealth;
    if (contact->kills) {
        if (userScores) {
            score.add(Contact::KILL_BONUS);
            addBubble(slower.pos.x, slower.pos.y, Powerup::moneyText(Contact::KILL_BONUS).c_str());
        }
        kill(slower);
    }
    heal(faster, contact->healing, userScores ? Difficulty::playerCeiling() : Difficulty::soulCeiling());
    if (userScores) {
        score.add(contact->points);
        // A killing blow shows only the bonus.
        if (!contact->kills && contact->points > 0)
            addBubble(slower.pos.x, slower.pos.y, Powerup::moneyText(contact->points).c_str());
    }

    a.vel.x += contact->impulse * contact->nx;
    b.vel.x -= contact->impulse * contact->nx;
    a.vel.y += contact->impulse * contact->ny;
    b.vel.y -= contact->impulse * contact->ny;
}

void MainGame::playThump()
{
    int pitch = THUMP_PITCH + std::rand() % THUMP_PITCH_SPREAD;
    playSample(thumpSample, settings.volSound, PAN_CENTRE, pitch, 0);
}

void MainGame::kill(Player& creature)
{
    if (&creature == player.get()) {
        creature.state = Dying;
        playSample(dieSample, settings.volSound, PAN_CENTRE, NORMAL_PITCH, 0);
        return;
    }
    for (const auto& soul : souls) {
        if (soul.get() == &creature) {
            creature.state = Dying;
            return;
        }
    }
}

void MainGame::collectPowerup(Powerup& powerup)
{
    for (const auto& candidate : powerups) {
        if (candidate.get() == &powerup) {
            powerup.collect();
            return;
        }
    }
}

void MainGame::addBubble(float x, float y, const char* text)
{
    bubbles.push_back(std::make_unique<ScoreBubble>(x, y, text));
}

void MainGame::draw(BITMAP* target)
{
    int viewX = static_cast<int>(camera->pos.x - camera->boundsMin.x);
    int viewY = static_cast<int>(camera->pos.y - camera->boundsMin.y);
    blit(spaceBitmap, target, viewX, viewY, 0, 0, target->w, target->h);

    for (const auto& star : stars)
        star->draw(target, *camera);
    for (const auto& powerup : powerups)
        powerup->draw(target, *camera);
    for (const auto& soul : souls)
        soul->draw(target, *camera);
    player->draw(target, *camera);

    hud.drawRadar(target, souls, powerups, *player);
    hud.drawHealthBar(target, player->health, Difficulty::playerCeiling());
    hud.drawScore(target, score.value());
    for (const auto& bubble : bubbles)
        bubble->draw(target, *camera);
    if (player->state == Dead)
        hud.drawGameOver(target);
}
