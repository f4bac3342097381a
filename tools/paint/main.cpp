// Paints every picture of the game and the font's grid image into a work
// directory, for scripts/make_datafile.sh to pack into data.dat.
//
//   wispen_paint <work dir>
//   wispen_paint --manifest        (each object: name, dat type, file)
//   wispen_paint --icons <dir> <size>...   (the menu icon, dir/wispen-<size>.png)

#include <allegro.h>
#include <jpgalleg.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/AssetManifest.h"
#include "paint/BackdropPainter.h"
#include "paint/CreaturePainter.h"
#include "paint/PixelFont.h"
#include "paint/PngFile.h"
#include "paint/PowerupPainter.h"
#include "paint/SkyPainter.h"
#include "world/Object.h"

namespace {

constexpr uint64_t SPACE_SEED = 1;
// The play field's backdrop covers the whole world.
constexpr int SPACE_WIDTH = static_cast<int>(Object::WORLD_WIDTH);
constexpr int SPACE_HEIGHT = static_cast<int>(Object::WORLD_HEIGHT);
constexpr int JPEG_QUALITY = 92;
// Sprite pixels covered less than this become the mask colour; the glow
// around them has faded into the sky by then.
constexpr float SPRITE_CUTOFF = 0.1f;

bool saveBitmap(const std::string& path, BITMAP* bitmap)
{
    bool ok = bitmap && save_bitmap(path.c_str(), bitmap, nullptr) == 0;
    if (bitmap)
        destroy_bitmap(bitmap);
    if (!ok)
        std::fprintf(stderr, "wispen_paint: cannot write %s\n", path.c_str());
    return ok;
}

// Full colour without chroma subsampling: the sky's thin coloured veils
// would smear at half colour resolution.
bool saveJpeg(const std::string& path, BITMAP* bitmap)
{
    bool ok = save_jpg_ex(path.c_str(), bitmap, nullptr, JPEG_QUALITY, JPG_SAMPLING_444 | JPG_OPTIMIZE, nullptr) == 0;
    destroy_bitmap(bitmap);
    if (!ok)
        std::fprintf(stderr, "wispen_paint: cannot write %s: %s\n", path.c_str(), jpgalleg_error_string());
    return ok;
}

Image paintSpace()
{
    Image space(SPACE_WIDTH, SPACE_HEIGHT);
    SkyPainter sky(SPACE_SEED);
    sky.paintNebula(space, 4.0f, 1.0f);
    sky.paintStars(space, 7000);
    sky.paintWisps(space, 30);
    return space;
}

static_assert(CreaturePainter::EXPRESSIONS == AssetManifest::FACES, "a face for every expression");
static_assert(CreaturePainter::TAILS == AssetManifest::TAILS, "a tail picture for every one painted");

// The path of the file the manifest names for a picture object.
std::string pictureFile(const std::string& dir, const std::string& name)
{
    return dir + "/" + AssetManifest::fileOf(name, AssetManifest::Type::Bitmap);
}

bool paintFaces(const std::string& dir, const Colour& sky)
{
    bool ok = true;
    const struct {
        CreaturePainter::Family family;
        char letter;
    } families[] = {{CreaturePainter::Family::Ghost, AssetManifest::SOULS}, {CreaturePainter::Family::Wisp, AssetManifest::PLAYER}};
    for (const auto& f : families) {
        CreaturePainter painter(f.family);
        for (int i = 0; i < CreaturePainter::EXPRESSIONS; i++) {
            Image face = painter.face(static_cast<CreaturePainter::Expression>(i));
            ok &= saveBitmap(pictureFile(dir, AssetManifest::face(i + 1, f.letter)), face.toSprite(sky, SPRITE_CUTOFF));
        }
        for (int i = 0; i < CreaturePainter::TAILS; i++)
            ok &= saveBitmap(pictureFile(dir, AssetManifest::tail(i + 1, f.letter)), painter.tail(i).toSprite(sky, SPRITE_CUTOFF));
    }
    return ok;
}

bool paintStars(const std::string& dir, const Colour& sky)
{
    bool ok = true;
    PowerupPainter painter;
    for (int kind = 0; kind < AssetManifest::STARS; kind++)
        ok &= saveBitmap(pictureFile(dir, AssetManifest::star(kind + 1)), painter.star(kind).toSprite(sky, SPRITE_CUTOFF));
    return ok;
}

// The desktop's icon is the player's own smiling wisp, painted afresh at
// every size the icon theme asks for rather than scaled from one picture.
bool paintIcons(const std::string& dir, int count, char** sizes)
{
    bool ok = count > 0;
    CreaturePainter painter(CreaturePainter::Family::Wisp);
    for (int i = 0; i < count; i++) {
        int size = std::atoi(sizes[i]);
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "wispen_paint: no icon of size %s\n", sizes[i]);
            return false;
        }
        Image icon = painter.face(CreaturePainter::Expression::Smile, size / float(CreaturePainter::SIZE));
        ok &= PngFile::save(icon, dir + "/wispen-" + std::to_string(size) + ".png");
    }
    return ok;
}

// One line an object, in the datafile's order, for the packing script.
int printManifest()
{
    for (const AssetManifest::Object& object : AssetManifest::objects())
        std::printf("%s %s %s\n", object.name.c_str(), AssetManifest::datType(object.type),
                    AssetManifest::fileOf(object.name, object.type).c_str());
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: wispen_paint <work dir>\n"
                         "       wispen_paint --manifest\n"
                         "       wispen_paint --icons <dir> <size>...\n");
    return 2;
}

} // namespace

// In the sanitizer build the tool runs during the build itself; JPGalleg
// keeps a few small tables from saving a JPEG until exit, which is the
// library's business and must not fail the build.
extern "C" const char* __lsan_default_suppressions() { return "leak:libjpgalleg\n"; }

int main(int argc, char** argv)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(32);
    jpgalleg_init();

    if (argc == 2 && std::strcmp(argv[1], "--manifest") == 0)
        return printManifest();
    if (argc >= 4 && std::strcmp(argv[1], "--icons") == 0)
        return paintIcons(argv[2], argc - 3, argv + 3) ? 0 : 1;
    if (argc != 2)
        return usage();

    const std::string dir = argv[1];
    bool ok = true;
    const auto jpeg = AssetManifest::Type::Jpeg;
    ok &= saveJpeg(dir + "/" + AssetManifest::fileOf(AssetManifest::BACK, jpeg), BackdropPainter().paint().toBitmap());
    Image space = paintSpace();
    ok &= saveJpeg(dir + "/" + AssetManifest::fileOf(AssetManifest::SPACE, jpeg), space.toBitmap());
    const Colour sky = space.mean();
    ok &= paintFaces(dir, sky);
    ok &= paintStars(dir, sky);
    ok &= PixelFont().writeGrid(dir + "/" + AssetManifest::fileOf(AssetManifest::FONT, AssetManifest::Type::Font));
    if (!ok)
        std::fprintf(stderr, "wispen_paint: painting failed\n");
    return ok ? 0 : 1;
}
