#include "paint/PngFile.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/ByteWriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A stored deflate block holds at most this many bytes.
constexpr size_t STORED_BLOCK = 65535;

uint32_t crc32(const uint8_t* data, size_t size)
{
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; n++) {
            uint32_t c = n;
            for (int k = 0; k < 8; k++)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; i++)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const Bytes& data)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void putChunk(ByteWriter& out, const char* type, const Bytes& data)
{
    out.be32(static_cast<uint32_t>(data.size()));
    size_t start = out.bytes.size();
    out.tag(type);
    out.append(data);
    out.be32(crc32(out.bytes.data() + start, out.bytes.size() - start));
}

// A zlib stream of stored blocks around `raw`.
Bytes storedZlib(const Bytes& raw)
{
    ByteWriter z;
    z.append({0x78, 0x01});  // deflate, 32 KiB window, no dictionary
    size_t pos = 0;
    do {
        size_t n = std::min(STORED_BLOCK, raw.size() - pos);
        bool last = pos + n == raw.size();
        z.u8(last ? 1 : 0);
        z.u16(static_cast<unsigned>(n));
        z.u16(static_cast<unsigned>(~n));
        z.bytes.insert(z.bytes.end(), raw.begin() + pos, raw.begin() + pos + n);
        pos += n;
    } while (pos < raw.size());
    z.be32(adler32(raw));
    return z.bytes;
}

uint8_t to8(float v) { return static_cast<uint8_t>(clamp01(v) * 255.0f + 0.5f); }

} // namespace

bool PngFile::save(const Image& image, const std::string& path)
{
    // Each row starts with filter type 0; colours are stored straight, not
    // premultiplied as the painter keeps them.
    Bytes raw;
    for (int y = 0; y < image.height(); y++) {
        raw.push_back(0);
        for (int x = 0; x < image.width(); x++) {
            const Pixel& p = image.at(x, y);
            float a = clamp01(p.a);
            Colour c = a > 0 ? p.c * (1.0f / a) : Colour{};
            raw.insert(raw.end(), {to8(c.r), to8(c.g), to8(c.b), to8(a)});
        }
    }
    ByteWriter header;
    header.be32(static_cast<uint32_t>(image.width()));
    header.be32(static_cast<uint32_t>(image.height()));
    header.append({8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter choice, no interlace

    ByteWriter png;
    png.append({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    putChunk(png, "IHDR", header.bytes);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", {});

    bool ok = png.save(path);
    if (!ok)
        std::fprintf(stderr, "wispen_paint: cannot write %s\n", path.c_str());
    return ok;
}
