#pragma once

#include "frame/AssetManifest.h"

struct BITMAP;
struct SAMPLE;
struct DUH;

// The resource table: everything loaded from data.dat and wispen.it at
// start-up. Each entry is null until loaded; the table owns what it points at.
// The game font is not kept here: it becomes the library's current font.
extern BITMAP* backBitmap;
extern BITMAP* spaceBitmap;
// Each family's faces and tails, in the manifest's order of families.
extern BITMAP* faceBitmaps[AssetManifest::FAMILY_COUNT * AssetManifest::FACES];
extern BITMAP* tailBitmaps[AssetManifest::FAMILY_COUNT * AssetManifest::TAILS];
extern BITMAP* starBitmaps[AssetManifest::STARS];  // one per power-up kind
extern DUH* music;
extern SAMPLE* ambientSamplesA[AssetManifest::AMBIENTS];
extern SAMPLE* ambientSamplesB[AssetManifest::AMBIENTS];  // independent copies of the same
extern SAMPLE* dieSample;
extern SAMPLE* thumpSample;
extern SAMPLE* collectSample;
extern SAMPLE* selectSample;
extern SAMPLE* scrSamples[AssetManifest::WAILS];

// Tries every object, then gives the verdict: true when every required one was
// found. On failure nothing stays loaded. DUMB must already read files through
// the standard file functions (dumb_register_stdfiles).
bool loadData(const char* dataFile = "data.dat", const char* musicFile = "wispen.it");

// Releases every loaded entry and sets it to null. The font stays current.
void unloadData();

// Plays one of the ten SCR wails at a random pitch, half the sample volume.
void playScrSample();
