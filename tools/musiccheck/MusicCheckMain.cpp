// Renders each piece of the music module offline, as the game would start it,
// and fails on silence, clipping, or a piece that does not come back to its
// own first order. Prints each piece's loop length and loudness.
// Usage: wispen_musiccheck <file.it> [dump-directory]
// With a directory, each piece's pass is also written there as raw 16-bit
// stereo at 44100 Hz (order number as the name), for listening and sox.
#include <dumb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
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

// The game's three start positions; a piece owns the orders up to the next.
struct Piece {
    const char* name;
    int firstOrder;
    int endOrder;  // one past its last order; 0 means "to the end of the list"
};

const Piece PIECES[] = {
    {"game", 0, 12},
    {"game over", 12, 15},
    {"menu", 15, 0},
};

struct Report {
    bool looped = false;
    double loopSeconds = 0;
    double peak = 0;       // of full scale
    double rms = 0;        // of full scale
    double quietestSecond = 1;
    double quietestAt = 0;
    long clipped = 0;
    std::string fault;
};

double toDb(double level) { return level > 0 ? 20.0 * std::log10(level) : -200.0; }

class Meter {
public:
    void add(const short* samples, long count)
    {
        for (long i = 0; i < count; ++i) {
            int v = samples[i];
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
    long count_ = 0, inSecond = 0, seconds = 0, clipped = 0;
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
        if (dump)
            std::fwrite(buffer.data(), sizeof(short), static_cast<size_t>(got * CHANNELS), dump);
        lastOrder = order;
        lastRow = row;
    }
    duh_end_sigrenderer(renderer);
    meter.finish(r);
    if (r.fault.empty() && !r.looped)
        r.fault = "does not come back to order " + std::to_string(piece.firstOrder);
    else if (r.fault.empty() && r.loopSeconds < SHORTEST_LOOP)
        r.fault = "loops after only " + std::to_string(r.loopSeconds) + " s";
    else if (r.fault.empty() && r.clipped > 0)
        r.fault = "clips on " + std::to_string(r.clipped) + " samples";
    else if (r.fault.empty() && toDb(r.rms) < SILENT_PIECE_DB)
        r.fault = "is silent";
    else if (r.fault.empty() && toDb(r.quietestSecond) < SILENT_SECOND_DB)
        r.fault = "falls silent " + std::to_string(static_cast<int>(r.quietestAt)) + " s in";
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: wispen_musiccheck <file.it> [dump-directory]\n");
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
        std::printf("%-9s order %2d: loop %6.1f s, peak %6.1f dBFS, RMS %6.1f dBFS, quietest second %6.1f dBFS",
                    piece.name, piece.firstOrder, r.loopSeconds, toDb(r.peak), toDb(r.rms), toDb(r.quietestSecond));
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
