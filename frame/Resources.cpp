#include "frame/Resources.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <aldumb.h>
#include <jpgalleg.h>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "desktop/Dispose.h"
#include "files/FileSave.h"
#include "settings/Settings.h"
#include "frame/Sound.h"

BITMAP* backBitmap = nullptr;
BITMAP* spaceBitmap = nullptr;
BITMAP* faceBitmaps[AssetManifest::FAMILY_COUNT * AssetManifest::FACES] = {};
BITMAP* tailBitmaps[AssetManifest::FAMILY_COUNT * AssetManifest::TAILS] = {};
BITMAP* starBitmaps[AssetManifest::STARS] = {};
DUH* music = nullptr;
SAMPLE* ambientSamplesA[AssetManifest::AMBIENTS] = {};
SAMPLE* ambientSamplesB[AssetManifest::AMBIENTS] = {};
SAMPLE* dieSample = nullptr;
SAMPLE* thumpSample = nullptr;
SAMPLE* collectSample = nullptr;
SAMPLE* selectSample = nullptr;
SAMPLE* scrSamples[AssetManifest::WAILS] = {};

namespace {

constexpr int SCR_PITCH_SPREAD = 100;

// Loads one object on its own and keeps only its data; the library's wrapper
// record is released with the data detached, so only the game owns the data.
// A stored object of another type than expected counts as missing: treating a
// font or raw bytes as a bitmap would crash later.
void* loadObject(const char* dataFile, const char* name, int type, int alternativeType)
{
    DATAFILE* object = load_datafile_object(dataFile, name);
    if (!object)
        return nullptr;
    void* data = nullptr;
    if (object->type == type || object->type == alternativeType) {
        data = object->dat;
        object->dat = nullptr;
    }
    unload_datafile_object(object);
    return data;
}

void* loadObject(const char* dataFile, const char* name, int type)
{
    return loadObject(dataFile, name, type, type);
}

// Whether jpgalleg_init has registered a loader for JPEG datafile objects.
// The library offers no query for this, so its own type table is read.
bool jpegTypeRegistered()
{
    for (int i = 0; i < MAX_DATAFILE_TYPES; i++)
        if (_datafile_type[i].type == DAT_JPEG)
            return true;
    return false;
}

// JPEG pictures load as bitmaps once jpgalleg_init has registered the type.
// Without it the object holds the raw JPEG bytes, which would crash as a
// bitmap, so it then counts as missing.
BITMAP* loadBitmap(const char* dataFile, const char* name, bool& ok)
{
    const int jpegType = jpegTypeRegistered() ? DAT_JPEG : DAT_BITMAP;
    BITMAP* bitmap = static_cast<BITMAP*>(loadObject(dataFile, name, DAT_BITMAP, jpegType));
    if (!bitmap)
        ok = false;
    return bitmap;
}

SAMPLE* loadSample(const char* dataFile, const char* name)
{
    return static_cast<SAMPLE*>(loadObject(dataFile, name, DAT_SAMPLE));
}

SAMPLE* requireSample(const char* dataFile, const char* name, bool& ok)
{
    SAMPLE* sample = loadSample(dataFile, name);
    if (!sample)
        ok = false;
    return sample;
}

// Moves past count bytes; false when the file ends before the last of them.
bool skipBytes(PACKFILE* file, long count)
{
    if (count < 0 || count > INT_MAX)
        return false;
    if (count == 0)
        return true;
    if (count > 1 && pack_fseek(file, static_cast<int>(count - 1)) != 0)
        return false;
    return pack_getc(file) != EOF;
}

// A four-byte big-endian field; false when the file ends inside it. Byte by
// byte, because pack_mgetl answers EOF both for an end and, where a long has
// 32 bits, for a field of four 0xFF bytes.
bool readField(PACKFILE* file, std::int32_t& value)
{
    std::uint32_t field = 0;
    for (int i = 0; i < 4; i++) {
        const int byte = pack_getc(file);
        if (byte == EOF)
            return false;
        field = field << 8 | static_cast<std::uint32_t>(byte);
    }
    value = static_cast<std::int32_t>(field);
    return true;
}

// Moves past one object: its properties first, then its type, its stored
// size, its unpacked size and the stored bytes.
bool skipObject(PACKFILE* file)
{
    std::int32_t type = 0;
    std::int32_t size = 0;
    for (;;) {
        if (!readField(file, type))
            return false;
        if (type != DAT_PROPERTY)
            break;
        std::int32_t property = 0;
        if (!readField(file, property) || !readField(file, size) || !skipBytes(file, size))
            return false;
    }
    return type != DAT_END && readField(file, size) && skipBytes(file, size + 4L);
}

// Walks every property and object header of the datafile and checks that the
// bytes each one announces are all there. The library's object loader trusts
// the file: one that ends inside an object's type field makes it call a null
// loader, and one that ends inside an object's data gives a damaged picture
// or sample. A datafile that fails this walk is not opened for objects at all.
bool datafileIsWhole(const char* dataFile)
{
    PACKFILE* file = pack_fopen(dataFile, F_READ_PACKED);
    if (!file)
        return false;
    std::int32_t magic = 0;
    std::int32_t count = 0;
    bool whole = readField(file, magic) && magic == DAT_MAGIC && readField(file, count) && count >= 0;
    for (std::int32_t i = 0; whole && i < count; i++)
        whole = skipObject(file);
    pack_fclose(file);
    return whole;
}

} // namespace

bool loadData(const char* dataFile, const char* musicFile)
{
    // Nothing is tried from a datafile that cannot be walked whole, so the
    // verdict is failure with nothing loaded. Neither file is opened unless it
    // is a regular one: a FIFO in either place would block start-up forever.
    if (!isRegularFile(dataFile) || !isRegularFile(musicFile) || !datafileIsWhole(dataFile))
        return false;

    using Manifest = AssetManifest;
    bool ok = true;

    backBitmap = loadBitmap(dataFile, Manifest::BACK, ok);
    spaceBitmap = loadBitmap(dataFile, Manifest::SPACE, ok);
    for (char family : Manifest::FAMILIES) {
        for (int i = 1; i <= Manifest::FACES; i++)
            faceBitmaps[Manifest::firstFace(family) + i - 1] = loadBitmap(dataFile, Manifest::face(i, family).c_str(), ok);
        for (int i = 1; i <= Manifest::TAILS; i++)
            tailBitmaps[Manifest::firstTail(family) + i - 1] = loadBitmap(dataFile, Manifest::tail(i, family).c_str(), ok);
    }
    for (int i = 1; i <= Manifest::STARS; i++)
        starBitmaps[i - 1] = loadBitmap(dataFile, Manifest::star(i).c_str(), ok);

    if (FONT* gameFont = static_cast<FONT*>(loadObject(dataFile, Manifest::FONT, DAT_FONT)))
        font = gameFont;

    music = dumb_load_it(musicFile);
    if (!music)
        ok = false;

    for (int i = 1; i <= Manifest::AMBIENTS; i++) {
        ambientSamplesA[i - 1] = requireSample(dataFile, Manifest::ambient(i).c_str(), ok);
        ambientSamplesB[i - 1] = requireSample(dataFile, Manifest::ambient(i).c_str(), ok);
    }

    dieSample = loadSample(dataFile, Manifest::DIE);
    thumpSample = loadSample(dataFile, Manifest::THUMP);
    collectSample = loadSample(dataFile, Manifest::COLLECT);
    selectSample = loadSample(dataFile, Manifest::SELECT);

    for (int i = 0; i < Manifest::WAILS; i++)
        scrSamples[i] = requireSample(dataFile, Manifest::wail(i).c_str(), ok);

    if (!ok)
        unloadData();
    return ok;
}

void unloadData()
{
    dispose(backBitmap, destroy_bitmap);
    dispose(spaceBitmap, destroy_bitmap);
    for (BITMAP*& bitmap : faceBitmaps)
        dispose(bitmap, destroy_bitmap);
    for (BITMAP*& bitmap : tailBitmaps)
        dispose(bitmap, destroy_bitmap);
    for (BITMAP*& bitmap : starBitmaps)
        dispose(bitmap, destroy_bitmap);
    dispose(music, unload_duh);
    for (SAMPLE*& sample : ambientSamplesA)
        dispose(sample, destroy_sample);
    for (SAMPLE*& sample : ambientSamplesB)
        dispose(sample, destroy_sample);
    dispose(dieSample, destroy_sample);
    dispose(thumpSample, destroy_sample);
    dispose(collectSample, destroy_sample);
    dispose(selectSample, destroy_sample);
    for (SAMPLE*& sample : scrSamples)
        dispose(sample, destroy_sample);
}

void playScrSample()
{
    // Pitch is drawn before the sample: the order of draws is part of the game.
    int frequency = NORMAL_PITCH - std::rand() % SCR_PITCH_SPREAD;
    int index = std::rand() % AssetManifest::WAILS;
    playSample(scrSamples[index], clampedVolume(settings.volSound) / 2, PAN_CENTRE, frequency, 0);
}
