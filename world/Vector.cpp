#include "world/Vector.h"

Vector::Vector() : x(0.0f), y(0.0f) {}

Vector::Vector(float x, float y) : x(x), y(y) {}

Vector::~Vector() = default;
