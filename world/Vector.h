#pragma once

// A position, velocity or corner in the world: two single-precision floats,
// x to the right and y down the screen. The objects compute on the
// components directly; there is no arithmetic here.
class Vector {
public:
    Vector();
    Vector(float x, float y);
    Vector(const Vector& other) = default;
    Vector& operator=(const Vector& other) = default;
    virtual ~Vector();

    float x;
    float y;
};
