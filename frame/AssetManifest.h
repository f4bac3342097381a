#pragma once

#include <cctype>
#include <string>
#include <vector>

// The objects of data.dat in one place: their names, how many of each kind
// there are and their types. The game loads by these names, the asset tools
// write one file for each, and the packing script packs the list that
// `wispen_paint --manifest` prints from here, so renaming an object or adding
// one to a kind is one edit.
class AssetManifest {
public:
    static constexpr int FACES = 8;  // expressions per family
    static constexpr int TAILS = 4;  // trail pictures per family
    static constexpr int STARS = 7;  // one per power-up kind
    static constexpr int AMBIENTS = 2;
    static constexpr int WAILS = 10;
    // The families of faces and tails: the souls' (G) and the player's (B),
    // in the order the datafile and the resource table hold them.
    static constexpr char SOULS = 'G';
    static constexpr char PLAYER = 'B';
    static constexpr char FAMILIES[] = {SOULS, PLAYER};
    static constexpr int FAMILY_COUNT = sizeof FAMILIES;

    static constexpr int familyIndex(char family)
    {
        int index = 0;
        while (index < FAMILY_COUNT && FAMILIES[index] != family)
            index++;
        return index;
    }
    // Where a family's faces and tails begin in the resource table.
    static constexpr int firstFace(char family) { return familyIndex(family) * FACES; }
    static constexpr int firstTail(char family) { return familyIndex(family) * TAILS; }

    enum class Type { Jpeg, Bitmap, Font, Sample };

    struct Object {
        std::string name;
        Type type;
    };

    static constexpr const char* BACK = "BACK";
    static constexpr const char* SPACE = "SPACE";
    static constexpr const char* FONT = "FNT1";
    static constexpr const char* DIE = "DIE";
    static constexpr const char* THUMP = "THUMP";
    static constexpr const char* COLLECT = "COLLECT";
    static constexpr const char* SELECT = "SELECT";

    // Numbered from 1, as the objects are; the wails from 0.
    static std::string face(int number, char family) { return "FACE" + std::to_string(number) + family; }
    static std::string tail(int number, char family) { return "TAIL" + std::to_string(number) + family; }
    static std::string star(int number) { return "STAR" + std::to_string(number); }
    static std::string ambient(int number) { return "AMB" + std::to_string(number); }
    static std::string wail(int index) { return "SCR" + std::to_string(index); }

    // Every object, in the order the datafile holds them.
    static std::vector<Object> objects()
    {
        std::vector<Object> all = {{BACK, Type::Jpeg}, {SPACE, Type::Jpeg}};
        for (char family : FAMILIES)
            for (int i = 1; i <= FACES; i++)
                all.push_back({face(i, family), Type::Bitmap});
        for (char family : FAMILIES)
            for (int i = 1; i <= TAILS; i++)
                all.push_back({tail(i, family), Type::Bitmap});
        for (int i = 1; i <= STARS; i++)
            all.push_back({star(i), Type::Bitmap});
        all.push_back({FONT, Type::Font});
        for (int i = 1; i <= AMBIENTS; i++)
            all.push_back({ambient(i), Type::Sample});
        for (const char* effect : {DIE, THUMP, COLLECT, SELECT})
            all.push_back({effect, Type::Sample});
        for (int i = 0; i < WAILS; i++)
            all.push_back({wail(i), Type::Sample});
        return all;
    }

    // The type as the library's dat tool names it.
    static const char* datType(Type type)
    {
        static const char* const names[] = {"JPEG", "BMP", "FONT", "SAMP"};
        return names[static_cast<int>(type)];
    }

    // The file an asset tool writes for the object: its name in lower case
    // with the extension of its type (the font is a grid picture).
    static std::string fileOf(const std::string& name, Type type)
    {
        static const char* const extensions[] = {".jpg", ".bmp", ".bmp", ".wav"};
        std::string file;
        for (char c : name)
            file += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return file + extensions[static_cast<int>(type)];
    }
};
