#pragma once

#include "world/AIInput.h"
#include "world/Player.h"

// A computer-controlled creature. It chases the user's creature with an
// AIInput and is deleted by the play screen once it has shrunk to Dead. The
// play screen places it and gives it its target after construction.
class Soul : public Player {
public:
    static constexpr int SOUL_FACE_SET = AssetManifest::firstFace(AssetManifest::SOULS);
    static constexpr int SOUL_TAIL_SET = AssetManifest::firstTail(AssetManifest::SOULS);
    static constexpr int START_SPEED_RANGE = 256;
    static constexpr int START_SPEED_CENTRE = 128;
    static constexpr float START_SPEED_DIVISOR = 128.0f;

    Soul();

    // A new random velocity only: x then y, one rand() each, -1 to 0.9921875.
    void reset() override;

    // A soul's health at the start for the current difficulty; a difficulty
    // other than easy (0) or hard (2) counts as normal.
    static float startingHealth();

    // The soul's own controller; null only if someone replaced input.
    AIInput* aiInput() const;
    // Sets the controller's chase target (the user's creature, not owned).
    void setTarget(Object* target);
};
