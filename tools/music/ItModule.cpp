#include "music/ItModule.h"

#include <algorithm>
#include <stdexcept>

#include "common/ByteWriter.h"

namespace {

// Format constants of the file's headers.
constexpr uint16_t TRACKER_VERSION = 0x0214;
constexpr uint16_t FLAG_STEREO = 0x01;
constexpr uint16_t FLAG_LINEAR_SLIDES = 0x08;
constexpr uint8_t SAMPLE_PRESENT = 0x01;
constexpr uint8_t SAMPLE_16BIT = 0x02;
constexpr uint8_t SAMPLE_LOOP = 0x10;
constexpr uint8_t CONVERT_SIGNED = 0x01;
constexpr uint8_t CHANNEL_DISABLED = 0x80;

} // namespace

ItPattern::ItPattern(int rows, int channels)
    : rowCount(rows), channelCount(channels), cells(static_cast<size_t>(rows * channels))
{
}

ItCell& ItPattern::at(int row, int channel)
{
    if (row < 0 || row >= rowCount || channel < 0 || channel >= channelCount)
        throw std::out_of_range("pattern cell outside the pattern");
    return cells[static_cast<size_t>(row * channelCount + channel)];
}

const ItCell& ItPattern::at(int row, int channel) const
{
    return const_cast<ItPattern*>(this)->at(row, channel);
}

std::vector<uint8_t> ItPattern::pack() const
{
    // Every cell carries its own mask: no "same as last" compression, which
    // keeps the writer simple and the file unambiguous to any reader.
    std::vector<uint8_t> out;
    for (int row = 0; row < rowCount; ++row) {
        for (int ch = 0; ch < channelCount; ++ch) {
            const ItCell& c = at(row, ch);
            if (c.empty())
                continue;
            uint8_t mask = 0;
            if (c.note >= 0)
                mask |= 1;
            if (c.sample > 0)
                mask |= 2;
            if (c.volume >= 0)
                mask |= 4;
            if (c.command > 0)
                mask |= 8;
            out.push_back(static_cast<uint8_t>((ch + 1) | 0x80));
            out.push_back(mask);
            if (mask & 1)
                out.push_back(static_cast<uint8_t>(c.note));
            if (mask & 2)
                out.push_back(static_cast<uint8_t>(c.sample));
            if (mask & 4)
                out.push_back(static_cast<uint8_t>(c.volume));
            if (mask & 8) {
                out.push_back(static_cast<uint8_t>(c.command));
                out.push_back(static_cast<uint8_t>(c.param));
            }
        }
        out.push_back(0);
    }
    return out;
}

std::vector<uint8_t> ItModule::serialise() const
{
    ByteWriter w;
    std::vector<int> orderList = orders;
    if (orderList.empty() || orderList.back() != IT_ORDER_END)
        orderList.push_back(IT_ORDER_END);

    w.tag("IMPM");
    w.text(title, 26);
    w.u8(4);   // row highlight: beat
    w.u8(16);  // row highlight: bar
    w.u16(static_cast<unsigned>(orderList.size()));
    w.u16(0);  // no instruments: sample mode
    w.u16(static_cast<unsigned>(samples.size()));
    w.u16(static_cast<unsigned>(patterns.size()));
    w.u16(TRACKER_VERSION);
    w.u16(TRACKER_VERSION);
    w.u16(FLAG_STEREO | FLAG_LINEAR_SLIDES);
    w.u16(0);  // no message, no edit history
    w.u8(static_cast<unsigned>(globalVolume));
    w.u8(static_cast<unsigned>(mixingVolume));
    w.u8(static_cast<unsigned>(initialSpeed));
    w.u8(static_cast<unsigned>(initialTempo));
    w.u8(128);  // full stereo separation
    w.u8(0);
    w.u16(0);
    w.u32(0);
    w.u32(0);
    for (int ch = 0; ch < IT_MAX_CHANNELS; ++ch)
        w.u8(ch < channelsUsed ? static_cast<unsigned>(channelPan[ch]) : 32 | CHANNEL_DISABLED);
    for (int ch = 0; ch < IT_MAX_CHANNELS; ++ch)
        w.u8(ch < channelsUsed ? static_cast<unsigned>(channelVolume[ch]) : 64);
    for (int o : orderList)
        w.u8(static_cast<unsigned>(o));

    const size_t sampleTable = w.bytes.size();
    for (size_t i = 0; i < samples.size(); ++i)
        w.u32(0);
    const size_t patternTable = w.bytes.size();
    for (size_t i = 0; i < patterns.size(); ++i)
        w.u32(0);

    std::vector<size_t> samplePointerFields;
    for (size_t i = 0; i < samples.size(); ++i) {
        const ItSample& s = samples[i];
        w.patch32(sampleTable + 4 * i, static_cast<uint32_t>(w.bytes.size()));
        w.tag("IMPS");
        w.text(s.name.substr(0, 11), 12);
        w.u8(0);
        w.u8(64);  // sample global volume
        w.u8(SAMPLE_PRESENT | SAMPLE_16BIT | (s.loop ? SAMPLE_LOOP : 0));
        w.u8(s.volume);
        w.text(s.name, 26);
        w.u8(CONVERT_SIGNED);
        w.u8(0);  // no default pan: the channel's pan rules
        w.u32(static_cast<uint32_t>(s.data.size()));
        w.u32(s.loop ? s.loopBegin : 0);
        w.u32(s.loop ? s.loopEnd : 0);
        w.u32(s.c5Speed);
        w.u32(0);
        w.u32(0);
        samplePointerFields.push_back(w.bytes.size());
        w.u32(0);
        w.u32(0);  // no auto-vibrato
    }

    for (size_t i = 0; i < patterns.size(); ++i) {
        std::vector<uint8_t> packed = patterns[i].pack();
        w.patch32(patternTable + 4 * i, static_cast<uint32_t>(w.bytes.size()));
        w.u16(static_cast<unsigned>(packed.size()));
        w.u16(static_cast<unsigned>(patterns[i].rows()));
        w.u32(0);
        w.append(packed);
    }

    for (size_t i = 0; i < samples.size(); ++i) {
        w.patch32(samplePointerFields[i], static_cast<uint32_t>(w.bytes.size()));
        for (int16_t v : samples[i].data)
            w.u16(static_cast<uint16_t>(v));
    }
    return w.bytes;
}

bool ItModule::write(const std::string& path) const
{
    ByteWriter file;
    file.bytes = serialise();
    return file.save(path);
}
