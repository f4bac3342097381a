#include "sound/Wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/ByteWriter.h"

bool writeWav(const std::string& path, const Signal& samples, int rate)
{
    const uint32_t channels = 1;
    const uint32_t bytesPerSample = 2;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * bytesPerSample;

    ByteWriter file;
    file.tag("RIFF");
    file.u32(36 + dataBytes);
    file.tag("WAVE");
    file.tag("fmt ");
    file.u32(16);
    file.u16(1);  // PCM
    file.u16(channels);
    file.u32(static_cast<uint32_t>(rate));
    file.u32(static_cast<uint32_t>(rate) * channels * bytesPerSample);
    file.u16(channels * bytesPerSample);
    file.u16(bytesPerSample * 8);
    file.tag("data");
    file.u32(dataBytes);
    for (float x : samples) {
        long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
        file.u16(static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF);
    }
    return file.save(path);
}
