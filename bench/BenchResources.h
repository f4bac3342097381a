#pragma once

// Fills the resource table with bitmaps of the game's sizes (32 by 32 faces
// and tails, 12 by 12 stars, the 1024 by 768 background) when the generated
// data file is not there; unloadData releases them like loaded ones.
void makeStandInResources();
