#pragma once

#include <memory>
#include <vector>

#include "desktop/ScreenUpdate.h"

// The screen-update strategies start-up tries for a driver setting, best
// first. Each maker builds a fresh object, because a strategy that fails to
// install is deleted; the main loop installs the first that works.
using UpdateDriverMaker = std::unique_ptr<ScreenUpdate> (*)();
std::vector<UpdateDriverMaker> updateDriverChain(int driver);
