#include "world/Camera.h"

Camera::Camera() : target(nullptr)
{
    boundsMin = Vector(VIEW_HALF_WIDTH, VIEW_HALF_HEIGHT);
    boundsMax = Vector(WORLD_WIDTH - VIEW_HALF_WIDTH, WORLD_HEIGHT - VIEW_HALF_HEIGHT);
}

void Camera::update()
{
    if (target) {
        vel.x = (target->pos.x - pos.x) * GLIDE;
        vel.y = (target->pos.y - pos.y) * GLIDE;
    } else {
        vel = Vector(0.0f, 0.0f);
    }
    Object::update();
}

void Camera::setTarget(Object* target) { this->target = target; }

int Camera::screenX(float worldX) const { return static_cast<int>(worldX - pos.x + boundsMin.x); }

int Camera::screenY(float worldY) const { return static_cast<int>(worldY - pos.y + boundsMin.y); }
