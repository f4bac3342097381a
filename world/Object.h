#pragma once

#include "world/Vector.h"

struct BITMAP;
class Camera;

// Base of everything that moves or is drawn in the play field. The play screen
// owns every object, updates it once per tick, draws it once per frame through
// its camera and deletes it through this base.
class Object {
public:
    static constexpr float WORLD_WIDTH = 1024.0f;
    static constexpr float WORLD_HEIGHT = 768.0f;

    Object();
    virtual ~Object();

    virtual void reset();
    // Moves by vel and stops at the box; vel is kept, so an object pressed
    // against an edge stays there for as long as it pushes.
    virtual void update();
    // The camera is the play screen's own and always exists, so it is passed
    // by reference; Camera::screenX/screenY give an object's place on target.
    virtual void draw(BITMAP* target, const Camera& camera);

    Vector pos;
    Vector boundsMin;
    Vector boundsMax;
    Vector vel;
};

// One fresh rand() reduced modulo span. A span of zero or less (a box that a
// huge radius has emptied) gives 0 instead of dividing by zero; the draw is
// made either way, so the number of draws never depends on the box.
int randomBelow(int span);

// A whole coordinate in [low, high) from one draw; an empty box (an absurd
// radius) gives its lower corner, as the clamped move does.
float randomCoordinate(float low, float high);

// The square of the distance between two objects' centres, spared the root
// because every use compares it with a squared reach.
float squaredDistance(const Object& a, const Object& b);
