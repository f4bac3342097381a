#include "play/MainGame.h"

#include <allegro.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "app/Controls.h"
#include "app/Resources.h"
#include "app/Settings.h"
#include "app/Sound.h"
#include "scores/HighScoreTable.h"
#include "world/Difficulty.h"

namespace {

constexpr int START_SOULS = 5;
constexpr int FIRST_POWERUP_DELAY = 300;
constexpr int POWERUP_INTERVAL = 120;
constexpr int SCR_MIN_DELAY = 20;
constexpr int SCR_DELAY_SPREAD = 10;
constexpr int AMBIENT_B_DELAY = 5;
constexpr int AMBIENT_HIGH_PITCH = 600;
constexpr int AMBIENT_LOW_PITCH = 500;
constexpr int THUMP_PITCH = 950;
constexpr int THUMP_PITCH_SPREAD = 100;

constexpr float PICKUP_DISTANCE_SQUARED = 500.0f;
constexpr float HEAL_SHARE = 0.25f;
constexpr float CONTACT_SLACK = 1.0f;
constexpr float FIXED_POINT_LIMIT = 32767.0f;  // largest value ftofix converts
constexpr int POINTS_PER_HIT_UNIT = 50;
constexpr int KILL_BONUS = 2500;

constexpr int RADAR_W = 64;
constexpr int RADAR_H = 48;
constexpr int RADAR_X = 252;
constexpr int RADAR_Y = 188;
constexpr int RADAR_OPACITY = 64;
constexpr int RADAR_MARK = 4;
constexpr float RADAR_SCALE = 0.0625f;

constexpr int HEALTH_SEGMENTS = 30;
constexpr int SEGMENT_X = 4;
constexpr int SEGMENT_PITCH = 8;
constexpr int SEGMENT_W = 6;
constexpr int SEGMENT_TOP = 224;
constexpr int SEGMENT_BOTTOM = 236;
constexpr float SEGMENT_HUE_STEP = 4.0f;
constexpr float SEGMENT_OUTLINE_VALUE = 0.7f;

constexpr int SCORE_X = 208;
constexpr int SCORE_Y = 4;

// Health goes up to the ceiling and never past it; a creature above its
// ceiling (the difficulty changed mid-game) is brought down to it.
void heal(Player& creature, float amount, float ceiling)
{
    float healed = creature.health + amount;
    creature.health = healed < ceiling ? healed : ceiling;
}

float squaredDistance(const Object& a, const Object& b)
{
    float dx = a.pos.x - b.pos.x;
    float dy = a.pos.y - b.pos.y;
    return dx * dx + dy * dy;
}

int ambientVolume() { return (clampedVolume(settings.volSound) * 3) / 4; }

template <typename T>
void deleteLastToFirst(std::vector<std::unique_ptr<T>>& objects)
{
    while (!objects.empty())
        objects.pop_back();
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

void MainGame::BitmapDeleter::operator()(BITMAP* bitmap) const { destroy_bitmap(bitmap); }

MainGame::MainGame()
    : spawnTimer(0), powerupTimer(0), scrTimer(0), ambientDelay(0), ambientOn(false)
{
}

MainGame::~MainGame()
{
    deleteGame();
    radarBitmap.reset();
}

void MainGame::deleteGame()
{
    deleteLastToFirst(stars);
    deleteLastToFirst(souls);
    deleteLastToFirst(powerups);
    deleteLastToFirst(bubbles);
    camera.reset();
    player.reset();
}

Error MainGame::start()
{
    deleteGame();
    player = std::make_unique<Player>();
    camera = std::make_unique<Camera>();
    camera->setTarget(player.get());

    int starCount = std::min(settings.nStars, MAX_STARS);  // none when 0 or less
    for (int i = 0; i < starCount; i++)
        stars.push_back(std::make_unique<Star>());
    for (auto& star : stars)
        star->reset();
    player->reset();
    camera->reset();

    for (int i = 0; i < START_SOULS; i++)
        spawnSoul();

    // The first soul comes after spawnTime ticks whatever the difficulty.
    spawnTimer = std::max(settings.spawnTime, MIN_SPAWN_INTERVAL);
    powerupTimer = FIRST_POWERUP_DELAY;
    scrTimer = 0;
    ambientDelay = AMBIENT_B_DELAY;
    ambientOn = false;
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
    return finished;
}

// A tick past the end of a replay reads every key up.
void MainGame::latchTickKeys()
{
    unsigned keys;
    if (playback) {
        std::size_t tick = recording.ticks.size();
        keys = tick < playback->ticks.size() ? playback->ticks[tick] : 0u;
        prevKey[KEY_ESC] = (keys & Replay::ESCAPE_SEEN) ? 1 : 0;
    } else {
        keys = controls.heldPlayKeys() | (prevKey[KEY_ESC] ? Replay::ESCAPE_SEEN : 0u);
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
    runSpawnTimer();
    runPowerupTimer();
    runScrTimer();
    startAmbientSets();
    score.tick();
    if (!finishes())
        return false;
    stopAmbientSets();
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

void MainGame::runSpawnTimer()
{
    spawnTimer -= 1;
    if (spawnTimer > 0)
        return;
    spawnTimer = spawnInterval();
    spawnSoul();
}

void MainGame::runPowerupTimer()
{
    powerupTimer -= 1;
    if (powerupTimer > 0)
        return;
    powerupTimer = POWERUP_INTERVAL;
    spawnPowerup();
}

void MainGame::runScrTimer()
{
    scrTimer -= 1;
    if (scrTimer > 0)
        return;
    playScrSample();
    int r = std::rand();
    scrTimer = r % SCR_DELAY_SPREAD + SCR_MIN_DELAY;
}

// The left-hand loops restart whenever the screen comes back after finishing;
// the right-hand copies start once per game, a few ticks after the first set,
// so the two sides drift against each other.
void MainGame::startAmbientSets()
{
    if (!ambientOn) {
        playSample(ambientSamplesA[0], ambientVolume(), PAN_LEFT, AMBIENT_HIGH_PITCH, 1);
        playSample(ambientSamplesA[1], ambientVolume(), PAN_LEFT, AMBIENT_LOW_PITCH, 1);
        ambientOn = true;
    }
    if (ambientDelay > 0) {
        ambientDelay -= 1;
    } else if (ambientDelay == 0) {
        ambientDelay = -1;
        playSample(ambientSamplesB[0], ambientVolume(), PAN_RIGHT, AMBIENT_HIGH_PITCH, 1);
        playSample(ambientSamplesB[1], ambientVolume(), PAN_RIGHT, AMBIENT_LOW_PITCH, 1);
    }
}

// Escape (through the base screen, which otherwise refreshes the key
// snapshot), Enter held once the creature is gone, and the very tick a grown
// creature is killed, so the application can change the music while play
// goes on.
bool MainGame::finishes()
{
    if (GameScreen::logic())
        return true;
    if (player->state == Dead && controls.held(KEY_ENTER))
        return true;
    return player->state == Dying && player->counter >= Player::FULL_SIZE;
}

void MainGame::stopAmbientSets()
{
    ambientOn = false;
    stopSample(ambientSamplesA[0]);
    stopSample(ambientSamplesA[1]);
    stopSample(ambientSamplesB[0]);
    stopSample(ambientSamplesB[1]);
}

int MainGame::getResult()
{
    if (player->state == Dying && player->counter > Player::FULL_SIZE - 1)
        return GameOverMusic;
    if (player->state == Dead) {
        HighScoreTable table(HIGH_SCORE_FILE);
        return table.qualifies(score.total()) ? EnterName : MainMenu;
    }
    return ConfirmAbandon;
}

int MainGame::spawnInterval()
{
    return static_cast<int>(std::clamp<long long>(Difficulty::spawnInterval(), MIN_SPAWN_INTERVAL, INT_MAX));
}

float MainGame::maxHealth() { return Difficulty::playerCeiling(); }

float MainGame::soulMaxHealth() { return Difficulty::soulCeiling(); }

void MainGame::spawnSoul()
{
    auto soul = std::make_unique<Soul>();
    for (int attempt = 0; attempt < MAX_PLACEMENT_ATTEMPTS; attempt++) {
        soul->pos.x = randomCoordinate(soul->boundsMin.x, soul->boundsMax.x);
        soul->pos.y = randomCoordinate(soul->boundsMin.y, soul->boundsMax.y);
        if (canPlace(*soul)) {
            soul->setTarget(player.get());
            souls.push_back(std::move(soul));
            return;
        }
    }
}

bool MainGame::canPlace(const Soul& candidate) const
{
    long long rad = clampedRadius(settings.rad);
    float twoRadiiSquared = static_cast<float>(4 * rad * rad);
    for (const auto& soul : souls)
        if (squaredDistance(*soul, candidate) <= twoRadiiSquared)
            return false;
    return squaredDistance(*player, candidate) > 4 * twoRadiiSquared;
}

void MainGame::spawnPowerup()
{
    int r = std::rand();
    powerups.push_back(std::make_unique<Powerup>(r % Powerup::KIND_COUNT));
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
    if (powerup.kind >= 0 && powerup.kind < Powerup::KIND_COUNT) {
        const Powerup::Effect& effect = Powerup::EFFECTS[powerup.kind];
        apply(effect);
        addBubble(powerup.pos.x, powerup.pos.y, Powerup::effectText(effect).c_str());
    }
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
        heal(*player, static_cast<float>(effect.amount), maxHealth());
        break;
    case Powerup::Effect::Hurt:
        player->health -= static_cast<float>(effect.amount);
        break;
    }
}

// Creatures are discs of equal mass: a contact swaps their velocities along
// the line of centres. The faster one deals damage equal to the closing speed
// and heals a quarter of it; the user earns money for hits it deals.
void MainGame::collide(Player& a, Player& b)
{
    if (&a == &b)
        return;
    float dx = a.pos.x - b.pos.x;
    float dy = a.pos.y - b.pos.y;
    float squared = dx * dx + dy * dy;
    float reach = 2.0f * clampedRadius(settings.rad);
    // Most pairs are far apart: they are turned away before the root. One
    // unit of slack leaves every decision near the edge to the root below.
    float slack = reach + CONTACT_SLACK;
    if (squared > slack * slack)
        return;
    // The fixed-point root is the game's own distance; its rounding decides
    // contacts at the exact edge. Its range ends at about 181 units, where it
    // would report every farther pair at 181; only a radius far beyond the
    // game's gets there, and then the float root gives the true distance.
    float dist = squared <= FIXED_POINT_LIMIT ? fixtof(fixsqrt(ftofix(squared))) : std::sqrt(squared);
    if (dist > reach || dist == 0)
        return;
    float inv = 1 / dist;
    float nx = dx * inv;
    float ny = dy * inv;
    float impulse = -((a.vel.x - b.vel.x) * dx + (a.vel.y - b.vel.y) * dy) * inv;
    if (impulse < 0)
        return;
    float healing = impulse * HEAL_SHARE;
    bool byUser = &a == player.get();

    if (byUser) {
        int pitch = THUMP_PITCH + std::rand() % THUMP_PITCH_SPREAD;
        playSample(thumpSample, settings.volSound, PAN_CENTRE, pitch, 0);
    }

    float speedA = a.vel.x * a.vel.x + a.vel.y * a.vel.y;
    float speedB = b.vel.x * b.vel.x + b.vel.y * b.vel.y;
    if (speedA > speedB) {
        b.health -= impulse;
        if (b.health <= 0) {
            if (byUser) {
                score.add(KILL_BONUS);
                addBubble(b.pos.x, b.pos.y, Powerup::moneyText(KILL_BONUS).c_str());
            }
            kill(b);
        }
        if (byUser) {
            heal(a, healing, maxHealth());
            int points = POINTS_PER_HIT_UNIT * static_cast<int>(impulse * impulse);
            score.add(points);
            if (b.state != Dying && points > 0)
                addBubble(b.pos.x, b.pos.y, Powerup::moneyText(points).c_str());
        } else {
            heal(a, healing, soulMaxHealth());
        }
    } else {
        a.health -= impulse;
        if (a.health <= 0)
            kill(a);
        heal(b, healing, soulMaxHealth());
    }

    a.vel.x += impulse * nx;
    b.vel.x -= impulse * nx;
    a.vel.y += impulse * ny;
    b.vel.y -= impulse * ny;
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

    drawRadar(target);
    drawHealthBar(target);
    drawScore(target);
    if (player->state == Dead)
        drawGameOver(target);
}

void MainGame::drawScore(BITMAP* target)
{
    textprintf_ex(target, font, SCORE_X + 1, SCORE_Y + 1, makecol(64, 64, 160), -1, "pts: %08d",
                  score.value());
    textprintf_ex(target, font, SCORE_X, SCORE_Y, makecol(140, 200, 240), -1, "pts: %08d",
                  score.value());
    for (const auto& bubble : bubbles)
        bubble->draw(target, *camera);
}

void MainGame::drawGameOver(BITMAP* target)
{
    int th = text_height(font);
    int cx = target->w / 2;
    int cy = target->h / 2;
    int titleY = cy - (th * 3) / 2;
    int promptY = cy + th / 2;
    textout_centre_ex(target, font, "GAME OVER!", cx + 1, titleY + 1, makecol(0, 0, 0), -1);
    textout_centre_ex(target, font, "GAME OVER!", cx, titleY, makecol(255, 255, 255), -1);
    textout_centre_ex(target, font, "Press ENTER to continue...", cx + 1, promptY + 1,
                      makecol(0, 0, 0), -1);
    textout_centre_ex(target, font, "Press ENTER to continue...", cx, promptY,
                      makecol(192, 192, 192), -1);
}

void MainGame::drawRadar(BITMAP* target)
{
    if (!radarBitmap) {
        radarBitmap.reset(create_bitmap(RADAR_W, RADAR_H));
        if (radarBitmap)
            clear_to_color(radarBitmap.get(), makecol(64, 160, 128));
    }
    if (radarBitmap) {
        set_trans_blender(0, 0, 0, RADAR_OPACITY);
        draw_trans_sprite(target, radarBitmap.get(), RADAR_X, RADAR_Y);
    }

    const int left = RADAR_X;
    const int top = RADAR_Y;
    const int right = RADAR_X + RADAR_W;
    const int bottom = RADAR_Y + RADAR_H;
    int white = makecol(255, 255, 255);
    hline(target, left, top, left + RADAR_MARK, white);
    vline(target, left, top, top + RADAR_MARK, white);
    hline(target, right, top, right - RADAR_MARK, white);
    vline(target, right, top, top + RADAR_MARK, white);
    hline(target, left, bottom, left + RADAR_MARK, white);
    vline(target, left, bottom, bottom - RADAR_MARK, white);
    hline(target, right, bottom, right - RADAR_MARK, white);
    vline(target, right, bottom, bottom - RADAR_MARK, white);

    auto dot = [target](const Object& object, int colour) {
        int x = static_cast<int>(object.pos.x * RADAR_SCALE) + RADAR_X;
        int y = static_cast<int>(object.pos.y * RADAR_SCALE) + RADAR_Y;
        putpixel(target, x, y, colour);
    };
    int red = makecol(255, 0, 0);
    for (const auto& soul : souls)
        if (soul->state != Dying)
            dot(*soul, red);
    int yellow = makecol(255, 255, 0);
    for (const auto& powerup : powerups)
        if (powerup->health > 0)
            dot(*powerup, yellow);
    dot(*player, makecol(0, 255, 255));
}

void MainGame::drawHealthBar(BITMAP* target)
{
    // Without a positive full scale (an hp1 of 0 or less) the bar reads as at
    // zero health instead of dividing by it.
    float scale = maxHealth();
    float v = scale > 0 ? (player->health * HEALTH_SEGMENTS) * (1 / scale) : 0.0f;
    int unlitFill = makecol(64, 64, 64);
    int unlitOutline = makecol(40, 40, 40);
    int corner = makecol(0, 0, 0);
    for (int i = 0; i < HEALTH_SEGMENTS; i++) {
        int x1 = SEGMENT_X + SEGMENT_PITCH * i;
        int x2 = x1 + SEGMENT_W;
        if (!(i > v)) {
            int r, g, b;
            hsv_to_rgb(SEGMENT_HUE_STEP * i, 1.0f, 1.0f, &r, &g, &b);
            rectfill(target, x1, SEGMENT_TOP, x2, SEGMENT_BOTTOM, makecol(r, g, b));
            hsv_to_rgb(SEGMENT_HUE_STEP * i, 1.0f, SEGMENT_OUTLINE_VALUE, &r, &g, &b);
            rect(target, x1, SEGMENT_TOP, x2, SEGMENT_BOTTOM, makecol(r, g, b));
        } else {
            rectfill(target, x1, SEGMENT_TOP, x2, SEGMENT_BOTTOM, unlitFill);
            rect(target, x1, SEGMENT_TOP, x2, SEGMENT_BOTTOM, unlitOutline);
        }
        putpixel(target, x1, SEGMENT_TOP, corner);
        putpixel(target, x2, SEGMENT_TOP, corner);
        putpixel(target, x1, SEGMENT_BOTTOM, corner);
        putpixel(target, x2, SEGMENT_BOTTOM, corner);
    }
}
