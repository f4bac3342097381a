#pragma once

// Fills the resource table with bitmaps of the game's sizes and silent
// samples made in memory, so world, play and menu code can run, and the
// benchmarks measure, without data.dat. Each bitmap is a filled square on the
// mask colour, in a colour of its own; each sample is distinct. The table is
// emptied again when the stand-ins go.
class StandInResources {
public:
    StandInResources();
    ~StandInResources();
    StandInResources(const StandInResources&) = delete;
    StandInResources& operator=(const StandInResources&) = delete;
};
