#pragma once

struct BITMAP;
struct SAMPLE;
struct DUH;

// The resource table: everything loaded from data.dat and wispen.it at
// start-up. Each entry is null until loaded; the table owns what it points at.
// The game font is not kept here: it becomes the library's current font.
extern BITMAP* backBitmap;
extern BITMAP* spaceBitmap;
extern BITMAP* faceBitmaps[16];  // FACE1G..FACE8G, then FACE1B..FACE8B
extern BITMAP* tailBitmaps[8];   // TAIL1G..TAIL4G, then TAIL1B..TAIL4B
extern BITMAP* starBitmaps[7];   // STAR1..STAR7, one per power-up kind
extern DUH* music;
extern SAMPLE* ambientSamplesA[2];
extern SAMPLE* ambientSamplesB[2];  // independent copies of AMB1, AMB2
extern SAMPLE* dieSample;
extern SAMPLE* thumpSample;
extern SAMPLE* collectSample;
extern SAMPLE* selectSample;
extern SAMPLE* scrSamples[10];

// Tries every object, then gives the verdict: true when every required one was
// found. On failure nothing stays loaded. DUMB must already read files through
// the standard file functions (dumb_register_stdfiles).
bool loadData(const char* dataFile = "data.dat", const char* musicFile = "wispen.it");

// Releases every loaded entry and sets it to null. The font stays current.
void unloadData();

// Plays one of the ten SCR wails at a random pitch, half the sample volume.
void playScrSample();
