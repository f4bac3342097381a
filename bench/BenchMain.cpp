#include <aldumb.h>
#include <allegro.h>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <jpgalleg.h>
#include <memory>

#include "StandInResources.h"
#include "frame/Resources.h"

// The benchmarks run against the library started without a display, like the
// tests: memory bitmaps at 32 bits, the game's own data when it has been
// built, otherwise stand-ins of the same sizes.
int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 2;
    set_color_depth(32);
    jpgalleg_init();
    dumb_register_stdfiles();
    std::unique_ptr<StandInResources> standIns;
    if (loadData(WISPEN_RUN_DIR "/data.dat", WISPEN_RUN_DIR "/wispen.it")) {
        std::printf("resources: %s/data.dat\n", WISPEN_RUN_DIR);
    } else {
        standIns = std::make_unique<StandInResources>();
        std::printf("resources: stand-ins (no data.dat in %s)\n", WISPEN_RUN_DIR);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    unloadData();
    return 0;
}
