// Draws the contact sheet of a finished datafile: every picture it holds,
// and the game's own screens drawn with them.
//
//   wispen_sheet <data.dat> <wispen.it> <sheet.bmp> [story]

#include <aldumb.h>
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <jpgalleg.h>

#include "frame/Resources.h"
#include "sheet/ContactSheet.h"

// JPGalleg keeps a few small tables from loading a JPEG until exit, which is
// the library's business and must not fail the sanitizer build.
extern "C" const char* __lsan_default_suppressions() { return "leak:libjpgalleg\n"; }

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: wispen_sheet <data.dat> <wispen.it> <sheet.bmp> [story]\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(32);
    jpgalleg_init();
    dumb_register_stdfiles();
    ContactSheet sheet;
    if (!loadData(argv[1], argv[2])) {
        std::fprintf(stderr, "contact sheet: cannot load %s and %s\n", argv[1], argv[2]);
        return 1;
    }
    return sheet.write(argv[1], argv[3], argc == 5 ? argv[4] : nullptr) ? 0 : 1;
}
