#pragma once

// What steers a creature: four yes/no answers asked once per tick after
// update. The creature owns its controller and deletes it through this base.
// The base never steers.
class Input {
public:
    virtual ~Input();

    virtual bool left();
    virtual bool right();
    virtual bool up();
    virtual bool down();
    virtual void update();
};
