#pragma once

// Fills the resource table with small bitmaps and silent samples made in
// memory, so world, play and menu code can run without data.dat. Each bitmap
// is a filled square on the mask colour; each sample is distinct.
class TestResources {
public:
    TestResources();
    ~TestResources();
};
