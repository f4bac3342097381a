#pragma once

#include <string>

#include "paint/Image.h"

// Writes a picture as an RGBA PNG with its coverage as transparency, for the
// desktop's icon theme. The pixels go into stored (uncompressed) deflate
// blocks, so no compression library is needed to build the game; the
// package compresses the files anyway.
class PngFile {
public:
    static bool save(const Image& image, const std::string& path);
};
