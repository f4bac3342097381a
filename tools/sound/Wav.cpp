#include "sound/Wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool writeWav(const std::string& path, const Signal& samples, int rate)
{
    const uint32_t channels = 1;
    const uint32_t bytesPerSample = 2;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * bytesPerSample;

    std::vector<uint8_t> file;
    putTag(file, "RIFF");
    put32(file, 36 + dataBytes);
    putTag(file, "WAVE");
    putTag(file, "fmt ");
    put32(file, 16);
    put16(file, 1);  // PCM
    put16(file, channels);
    put32(file, static_cast<uint32_t>(rate));
    put32(file, static_cast<uint32_t>(rate) * channels * bytesPerSample);
    put16(file, channels * bytesPerSample);
    put16(file, bytesPerSample * 8);
    putTag(file, "data");
    put32(file, dataBytes);
    for (float x : samples) {
        long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
        put16(file, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF);
    }

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}
