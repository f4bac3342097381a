// Renders each piece of the music module offline, as the game would start it,
// and fails on silence, a late start, clipping, or a piece that does not come
// back to its own first order. Prints each piece's loop length and loudness; a
// piece or a sample of the datafile whose loudness (EBU R128, measured by
// libebur128) is off its target fails too, and so does an effect heard over
// the music (the pick-up, a pile of thumps) that leaves the music no room.
// Usage: wispen_musiccheck <file.it> [dump-directory]
//        wispen_musiccheck --samples <data.dat>
//        wispen_musiccheck --capture <file.raw> [reference.raw]
// With a directory, each piece's pass is also written there as raw 16-bit
// stereo at 44100 Hz (order number as the name), for listening and sox.
// --capture meters a raw 16-bit stereo 44100 Hz recording of the game's output
// (signed or unsigned, told from the data) and prints its figures; with a
// reference recording, also where it first rises well over the reference.
#include <allegro.h>
#include <dumb.h>

#include "flow/MusicOrders.h"
#include "musiccheck/Loudness.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int RATE = 44100;
constexpr int CHANNELS = 2;
constexpr long CHUNK = 512;                 // frames between position checks
constexpr double LONGEST_LOOP = 300.0;      // seconds before we call it lost
constexpr double SHORTEST_LOOP = 4.0;       // a loop this short is a fault, not a piece
constexpr double SILENT_PIECE_DB = -40.0;   // whole-pass RMS below this is silence
constexpr double SILENT_SECOND_DB = -60.0;  // one second this quiet is a hole
constexpr int FULL_SCALE = 32767;
// A sample this far from rest (-60 dBFS) is sound, not silence.
constexpr int AUDIBLE = 33;
// A piece is heard within this long of being started; the stream and the
// driver add their own buffers on top.
constexpr double LONGEST_LEAD_IN = 0.02;  // seconds
// A piece's opening, over which a game's crowd builds: its loudest moment is
// reported on its own.
constexpr double OPENING = 30.0;  // seconds

// Each piece rendered at the stream's full volume. The game plays it at
// volMusic / 256 through the mixer's voice scaling, about 7 dB lower at the
// default setting; these keep every piece near -24 LUFS there and leave
// headroom for the effects at full volumes.
constexpr double PIECE_LUFS = -17.0;
constexpr double PIECE_LUFS_TOLERANCE = 1.5;
constexpr double PIECE_MAX_TRUE_PEAK = -1.0;  // dBTP
// A sample is mastered on its own: its loudest moment at full volume.
constexpr double SAMPLE_MAX_TRUE_PEAK = -1.0;  // dBTP
// A sample heard this long after it is started has a hole at its front.
constexpr double SAMPLE_LONGEST_LEAD_IN = 0.01;  // seconds

// The thumps that start within one mixer fragment (1024 frames, one or two
// ticks) start on the same frame and add up in phase. A creature steered
// through the busiest crowd (the full-volume end-to-end test's game, 400
// times headless: BM_CrowdThumpsAtOnce in bench/) touched at most three souls
// in one tick and five in two, four or more in about one of 30 000 pairs of
// ticks.
constexpr int PILE_THUMPS = 4;
// The pick-up (also the menus' move sound) and a fragment's thumps come at any
// moment of the music: each peaks this far under full scale, so that its sum
// with the menus' piece (-5.9 dBTP at its loudest) or with play's opening
// (-4.8 dBTP), where the full-volume test's crowd builds, stays at or under
// the ceiling however the two line up. Play's single loudest beat later on
// (-3.1 dBTP) leaves less room than that.
constexpr double EFFECT_MAX_TRUE_PEAK = -10.0;  // dBTP

// The game's three start positions; a piece owns the orders up to the next.
struct Piece {
    const char* name;
    int firstOrder;
    int endOrder;  // one past its last order; 0 means "to the end of the list"
};

const Piece PIECES[] = {
    {"game", GAME_MUSIC_ORDER, GAME_OVER_MUSIC_ORDER},
    {"game over", GAME_OVER_MUSIC_ORDER, MENU_MUSIC_ORDER},
    {"menu", MENU_MUSIC_ORDER, 0},
};

struct Report {
    bool looped = false;
    double loopSeconds = 0;
    double peak = 0;       // of full scale
    double rms = 0;        // of full scale
    double quietestSecond = 1;
    double quietestAt = 0;
    long clipped = 0;
    double leadIn = 0;     // seconds of silence before the first sound
    double lufs = 0, range = 0, truePeak = 0;
    double openingTruePeak = 0;
    std::string fault;
};

double toDb(double level) { return level > 0 ? 20.0 * std::log10(level) : -200.0; }

class Meter {
public:
    void add(const short* samples, long count)
    {
        for (long i = 0; i < count; ++i) {
            int v = samples[i];
            if (firstSound < 0 && std::abs(v) >= AUDIBLE)
                firstSound = count_;
            if (v >= FULL_SCALE || v <= -FULL_SCALE - 1)
                ++clipped;
            double x = v / static_cast<double>(FULL_SCALE + 1);
            peak = std::max(peak, std::fabs(x));
            total += x * x;
            second += x * x;
            ++count_;
            if (++inSecond == static_cast<long>(RATE) * CHANNELS)
                closeSecond();
        }
    }

    void finish(Report& r) const
    {
        r.peak = peak;
        r.rms = count_ ? std::sqrt(total / static_cast<double>(count_)) : 0;
        r.clipped = clipped;
        r.quietestSecond = quietest;
        r.quietestAt = quietestAt;
        r.leadIn = static_cast<double>(firstSound < 0 ? count_ : firstSound) / CHANNELS / RATE;
    }

private:
    void closeSecond()
    {
        double rms = std::sqrt(second / static_cast<double>(inSecond));
        if (rms < quietest) {
            quietest = rms;
            quietestAt = static_cast<double>(seconds);
        }
        ++seconds;
        second = 0;
        inSecond = 0;
    }

    double peak = 0, total = 0, second = 0, quietest = 1, quietestAt = 0;
    long count_ = 0, inSecond = 0, seconds = 0, clipped = 0, firstSound = -1;
};

Report checkPiece(DUH* duh, const Piece& piece, int endOrder, FILE* dump)
{
    Report r;
    DUH_SIGRENDERER* renderer = dumb_it_start_at_order(duh, CHANNELS, piece.firstOrder);
    if (!renderer) {
        r.fault = "no renderer at its first order";
        return r;
    }
    DUMB_IT_SIGRENDERER* it = duh_get_it_sigrenderer(renderer);
    std::vector<short> buffer(static_cast<size_t>(CHUNK * CHANNELS));
    Meter meter;
    Loudness loudness(RATE);
    Loudness opening(RATE);
    long frames = 0;
    int lastOrder = piece.firstOrder;
    int lastRow = 0;
    while (frames < static_cast<long>(LONGEST_LOOP * RATE)) {
        long got = duh_render(renderer, 16, 0, 1.0f, 65536.0f / RATE, CHUNK, buffer.data());
        if (got <= 0) {
            r.fault = "the renderer stopped";
            break;
        }
        frames += got;
        int order = dumb_it_sr_get_current_order(it);
        int row = dumb_it_sr_get_current_row(it);
        if (order < piece.firstOrder || order >= endOrder) {
            r.fault = "strayed to order " + std::to_string(order);
            break;
        }
        // Back at the first order, either from a later order or from a later
        // row of a one-pattern piece: one full pass is done.
        if (order == piece.firstOrder && (lastOrder != piece.firstOrder || row < lastRow)) {
            r.looped = true;
            r.loopSeconds = static_cast<double>(frames) / RATE;
            break;
        }
        meter.add(buffer.data(), got * CHANNELS);
        loudness.add(buffer.data(), static_cast<size_t>(got));
        if (frames <= static_cast<long>(OPENING * RATE))
            opening.add(buffer.data(), static_cast<size_t>(got));
        if (dump)
            std::fwrite(buffer.data(), sizeof(short), static_cast<size_t>(got * CHANNELS), dump);
        lastOrder = order;
        lastRow = row;
    }
    duh_end_sigrenderer(renderer);
    meter.finish(r);
    r.lufs = loudness.integrated();
    r.range = loudness.range();
    r.truePeak = loudness.truePeakDb();
    r.openingTruePeak = opening.truePeakDb();
    if (r.fault.empty() && !r.looped)
        r.fault = "does not come back to order " + std::to_string(piece.firstOrder);
    else if (r.fault.empty() && r.loopSeconds < SHORTEST_LOOP)
        r.fault = "loops after only " + std::to_string(r.loopSeconds) + " s";
    else if (r.fault.empty() && r.clipped > 0)
        r.fault = "clips on " + std::to_string(r.clipped) + " samples";
    else if (r.fault.empty() && toDb(r.rms) < SILENT_PIECE_DB)
        r.fault = "is silent";
    else if (r.fault.empty() && r.leadIn > LONGEST_LEAD_IN)
        r.fault = "starts late";
    else if (r.fault.empty() && toDb(r.quietestSecond) < SILENT_SECOND_DB)
        r.fault = "falls silent " + std::to_string(static_cast<int>(r.quietestAt)) + " s in";
    else if (r.fault.empty() && std::fabs(r.lufs - PIECE_LUFS) > PIECE_LUFS_TOLERANCE)
        r.fault = "integrated loudness too far from the target";
    else if (r.fault.empty() && r.truePeak > PIECE_MAX_TRUE_PEAK)
        r.fault = "true peak over the ceiling";
    return r;
}

// Mono sample point i as a value of full scale 1.
double samplePoint(const SAMPLE* sample, unsigned long i)
{
    if (sample->bits == 8)
        return (static_cast<const unsigned char*>(sample->data)[i] - 128) / 128.0;
    return (static_cast<const unsigned short*>(sample->data)[i] - 32768) / 32768.0;
}

// A mono sample as the mixer plays it centred: the same on both sides.
// Returns the seconds of silence before its first sound.
double meterSample(const SAMPLE* sample, Loudness& loudness)
{
    std::vector<short> frames(static_cast<size_t>(sample->len) * 2);
    unsigned long first = sample->len;
    for (unsigned long i = 0; i < sample->len; ++i) {
        int v = static_cast<int>(std::lround(samplePoint(sample, i) * 32768.0));
        if (first == sample->len && std::abs(v) >= AUDIBLE)
            first = i;
        frames[2 * i] = frames[2 * i + 1] = static_cast<short>(v);
    }
    loudness.add(frames.data(), sample->len);
    return static_cast<double>(first) / sample->freq;
}

// The pile at the output's rate; each voice resampled to its pitch (per
// mille of the recorded rate, 950 to 1049 as the game draws them) by linear
// interpolation, as the mixer does.
void meterPile(const SAMPLE* sample, Loudness& loudness)
{
    const double seconds = static_cast<double>(sample->len) / sample->freq;
    const long length = static_cast<long>(seconds * 1049 / 1000 * RATE) + 1;
    std::vector<double> mix(static_cast<size_t>(length), 0.0);
    for (int v = 0; v < PILE_THUMPS; ++v) {
        const int pitch = 950 + v * 37 % 100;
        const double step = sample->freq * pitch / 1000.0 / RATE;
        double at = 0;
        for (long i = 0; i < length && at < sample->len - 1; ++i, at += step) {
            unsigned long whole = static_cast<unsigned long>(at);
            double part = at - static_cast<double>(whole);
            mix[static_cast<size_t>(i)] += samplePoint(sample, whole) * (1 - part) + samplePoint(sample, whole + 1) * part;
        }
    }
    std::vector<short> frames(mix.size() * 2);
    for (size_t i = 0; i < mix.size(); ++i) {
        // Past full scale the output clips, as the mixer's would.
        long v = std::max(-32768L, std::min(std::lround(mix[i] * 32768.0), 32767L));
        frames[2 * i] = frames[2 * i + 1] = static_cast<short>(v);
    }
    loudness.add(frames.data(), mix.size());
}

int checkSamples(const char* dataFile)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    DATAFILE* data = load_datafile(dataFile);
    if (!data) {
        std::fprintf(stderr, "wispen_musiccheck: cannot load %s\n", dataFile);
        return 1;
    }
    bool ok = true;
    int samples = 0;
    for (DATAFILE* object = data; object->type != DAT_END; ++object) {
        if (object->type != DAT_SAMPLE)
            continue;
        const SAMPLE* sample = static_cast<const SAMPLE*>(object->dat);
        const char* name = get_datafile_property(object, DAT_NAME);
        Loudness loudness(static_cast<unsigned long>(sample->freq));
        const double leadIn = meterSample(sample, loudness);
        ++samples;
        std::printf("%-8s %5.2f s: first sound %5.3f s, integrated %6.1f LUFS, loudest momentary %6.1f LUFS, "
                    "true peak %5.1f dBTP",
                    name, sample->len / static_cast<double>(sample->freq), leadIn,
                    loudness.integrated(), loudness.maxMomentary(), loudness.truePeakDb());
        if (loudness.clipped() > 0 || loudness.truePeakDb() > SAMPLE_MAX_TRUE_PEAK) {
            std::printf(": FAIL: true peak over %.1f dBTP\n", SAMPLE_MAX_TRUE_PEAK);
            ok = false;
        } else if (!(loudness.maxMomentary() > -60.0)) {
            std::printf(": FAIL: silent\n");
            ok = false;
        } else if (leadIn > SAMPLE_LONGEST_LEAD_IN) {
            std::printf(": FAIL: starts late\n");
            ok = false;
        } else {
            std::printf(": ok\n");
        }
        if (std::string(name) == "THUMP") {
            Loudness pile(RATE);
            meterPile(sample, pile);
            std::printf("THUMP pile of %d at once: loudest momentary %6.1f LUFS, true peak %5.1f dBTP",
                        PILE_THUMPS, pile.maxMomentary(), pile.truePeakDb());
            const bool under = pile.truePeakDb() <= EFFECT_MAX_TRUE_PEAK;
            std::printf(under ? ": ok\n" : ": FAIL: true peak over %.1f dBTP\n", EFFECT_MAX_TRUE_PEAK);
            ok = ok && under;
        } else if (std::string(name) == "COLLECT" && loudness.truePeakDb() > EFFECT_MAX_TRUE_PEAK) {
            std::printf("%-8s over the music: FAIL: true peak over %.1f dBTP\n", name, EFFECT_MAX_TRUE_PEAK);
            ok = false;
        }
    }
    unload_datafile(data);
    if (samples == 0) {
        std::fprintf(stderr, "wispen_musiccheck: no samples in %s\n", dataFile);
        return 1;
    }
    return ok ? 0 : 1;
}

// The file plugin records what the driver wrote; the driver may write
// unsigned samples, so the sign is told from where most samples lie.
bool readCapture(const char* rawFile, std::vector<short>& frames, bool& isUnsigned)
{
    FILE* in = std::fopen(rawFile, "rb");
    if (!in) {
        std::fprintf(stderr, "wispen_musiccheck: cannot read %s\n", rawFile);
        return false;
    }
    std::vector<unsigned short> raw;
    unsigned short chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, sizeof chunk[0], 4096, in)) > 0)
        raw.insert(raw.end(), chunk, chunk + got);
    std::fclose(in);
    raw.resize(raw.size() & ~static_cast<size_t>(1));
    size_t nearMiddle = static_cast<size_t>(std::count_if(raw.begin(), raw.end(),
        [](unsigned short v) { return v > 16384 && v < 49152; }));
    isUnsigned = nearMiddle * 2 > raw.size();
    frames.resize(raw.size());
    for (size_t i = 0; i < raw.size(); ++i)
        frames[i] = static_cast<short>(isUnsigned ? raw[i] - 32768 : static_cast<short>(raw[i]));
    return true;
}

// With a reference (the recording just before a key press), also the first
// frame louder by half again than the reference's peak: where the key's sound
// rises over the music.
int meterCapture(const char* rawFile, const char* referenceFile)
{
    std::vector<short> frames;
    bool isUnsigned = false;
    if (!readCapture(rawFile, frames, isUnsigned))
        return 1;
    // The leading silence before the first sound, in the output's own time.
    size_t first = 0;
    while (first < frames.size() && std::abs(frames[first]) < AUDIBLE)
        ++first;
    Loudness loudness(RATE);
    loudness.add(frames.data(), frames.size() / 2);
    std::printf("frames %zu (%s), leading silence %.3f s, integrated %.1f LUFS, range %.1f LU, "
                "true peak %.1f dBTP, loudest momentary %.1f LUFS, clipped %ld",
                frames.size() / 2, isUnsigned ? "unsigned" : "signed", (first / 2) / static_cast<double>(RATE),
                loudness.integrated(), loudness.range(), loudness.truePeakDb(), loudness.maxMomentary(),
                loudness.clipped());
    if (referenceFile) {
        std::vector<short> reference;
        if (!readCapture(referenceFile, reference, isUnsigned))
            return 1;
        int peak = AUDIBLE;
        for (short v : reference)
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        size_t louder = 0;
        while (louder < frames.size() && 2 * std::abs(static_cast<int>(frames[louder])) <= 3 * peak)
            ++louder;
        if (louder < frames.size())
            std::printf(", over the reference from frame %zu", louder / 2);
        else
            std::printf(", never over the reference");
    }
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--samples")
        return checkSamples(argv[2]);
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--capture")
        return meterCapture(argv[2], argc == 4 ? argv[3] : nullptr);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: wispen_musiccheck <file.it> [dump-directory]\n"
                             "       wispen_musiccheck --samples <data.dat>\n"
                             "       wispen_musiccheck --capture <file.raw> [reference.raw]\n");
        return 2;
    }
    dumb_register_stdfiles();
    DUH* duh = dumb_load_it(argv[1]);
    if (!duh) {
        std::fprintf(stderr, "wispen_musiccheck: cannot load %s as an IT module\n", argv[1]);
        dumb_exit();
        return 1;
    }
    const int orders = dumb_it_sd_get_n_orders(duh_get_it_sigdata(duh));
    bool ok = true;
    for (const Piece& piece : PIECES) {
        int endOrder = piece.endOrder ? piece.endOrder : orders;
        if (piece.firstOrder >= orders) {
            std::printf("%-9s order %2d: FAIL: the module has only %d orders\n", piece.name, piece.firstOrder, orders);
            ok = false;
            continue;
        }
        FILE* dump = nullptr;
        if (argc == 3) {
            std::string path = std::string(argv[2]) + "/" + std::to_string(piece.firstOrder) + ".raw";
            dump = std::fopen(path.c_str(), "wb");
        }
        Report r = checkPiece(duh, piece, endOrder, dump);
        if (dump)
            std::fclose(dump);
        std::printf("%-9s order %2d: loop %6.1f s, first sound %5.3f s, peak %6.1f dBFS, RMS %6.1f dBFS, quietest second %6.1f dBFS, "
                    "integrated %6.1f LUFS, range %4.1f LU, true peak %5.1f dBTP (first %.0f s %5.1f dBTP)",
                    piece.name, piece.firstOrder, r.loopSeconds, r.leadIn, toDb(r.peak), toDb(r.rms), toDb(r.quietestSecond),
                    r.lufs, r.range, r.truePeak, OPENING, r.openingTruePeak);
        if (r.fault.empty()) {
            std::printf(": ok\n");
        } else {
            std::printf(": FAIL: %s\n", r.fault.c_str());
            ok = false;
        }
    }
    unload_duh(duh);
    dumb_exit();
    return ok ? 0 : 1;
}
