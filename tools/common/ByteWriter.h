#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Builds a binary file in memory, then writes it whole. The samples' WAVE
// files, the music module and a stored deflate block keep their numbers
// little-endian; only PNG's chunk fields are big-endian.
class ByteWriter {
public:
    std::vector<uint8_t> bytes;

    void u8(unsigned v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); }
    void u32(uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); }
    void be32(uint32_t v);
    // A four-character chunk or header name.
    void tag(const char* t);
    // Fixed-size, zero-padded; the last byte stays zero.
    void text(const std::string& s, size_t size);
    void append(const std::vector<uint8_t>& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
    // Fills in a little-endian offset or size once it is known.
    void patch32(size_t at, uint32_t v);

    // False when the file cannot be written completely.
    bool save(const std::string& path) const;
};
