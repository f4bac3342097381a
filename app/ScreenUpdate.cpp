#include "app/ScreenUpdate.h"

#include <allegro.h>

ScreenUpdate::~ScreenUpdate() = default;

Error ScreenUpdate::create() { return Error(NoError); }

void ScreenUpdate::destroy() {}

// The frame was drawn on the visible screen already.
void ScreenUpdate::show() {}

BITMAP* ScreenUpdate::getBuffer() { return screen; }

void ScreenUpdate::acquire() { acquire_screen(); }

void ScreenUpdate::release() { release_screen(); }

const char* ScreenUpdate::getName() { return "default update driver"; }
