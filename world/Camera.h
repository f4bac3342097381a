#pragma once

#include "settings/PictureSize.h"
#include "world/Object.h"

// The play screen's view of the world: it glides after its target and keeps a
// picture-sized view inside the 1024 by 768 world. Owned by the play screen; the
// target is not owned and must outlive the camera's use of it.
class Camera : public Object {
public:
    // boundsMin doubles as the screen offset of the camera's position, so the
    // position is the centre of the view.
    static constexpr float VIEW_HALF_WIDTH = PICTURE_W / 2.0f;
    static constexpr float VIEW_HALF_HEIGHT = PICTURE_H / 2.0f;
    static constexpr float GLIDE = 0.05f;

    Camera();

    // Closes GLIDE of the remaining distance to the target, then the clamped
    // move. Without a target the camera only stays inside its box.
    void update() override;
    virtual void setTarget(Object* target);

    // World to screen, truncated toward zero, as every draw uses it.
    int screenX(float worldX) const;
    int screenY(float worldY) const;

    Object* target;
};
