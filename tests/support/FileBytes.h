#pragma once

#include <fstream>
#include <iterator>
#include <string>

// A file's bytes as they lie on disk; empty when it cannot be read.
inline std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
