#include "play/Ambience.h"

#include <cstdlib>

#include "frame/Resources.h"
#include "frame/Sound.h"
#include "settings/Settings.h"

namespace {

constexpr int SCR_MIN_DELAY = 20;
constexpr int SCR_DELAY_SPREAD = 10;
constexpr int AMBIENT_B_DELAY = 5;
constexpr int AMBIENT_HIGH_PITCH = 600;
constexpr int AMBIENT_LOW_PITCH = 500;

int ambientVolume() { return (clampedVolume(settings.volSound) * 3) / 4; }

} // namespace

void Ambience::reset()
{
    scrTimer = 0;
    ambientDelay = AMBIENT_B_DELAY;
    ambientOn = false;
}

void Ambience::runScrTimer()
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
void Ambience::startSets()
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

void Ambience::stopSets()
{
    ambientOn = false;
    stopSample(ambientSamplesA[0]);
    stopSample(ambientSamplesA[1]);
    stopSample(ambientSamplesB[0]);
    stopSample(ambientSamplesB[1]);
}
