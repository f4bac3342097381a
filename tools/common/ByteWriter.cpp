#include "common/ByteWriter.h"

#include <cstdio>

void ByteWriter::be32(uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        u8((v >> shift) & 0xFF);
}

void ByteWriter::tag(const char* t)
{
    for (int i = 0; i < 4; ++i)
        u8(static_cast<unsigned char>(t[i]));
}

void ByteWriter::text(const std::string& s, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        u8(i + 1 < size && i < s.size() ? static_cast<unsigned char>(s[i]) : 0);
}

void ByteWriter::patch32(size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>((v >> (8 * i)) & 0xFF);
}

bool ByteWriter::save(const std::string& path) const
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}
