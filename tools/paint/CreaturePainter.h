#pragma once

#include <vector>

#include "paint/Colour.h"
#include "paint/Geometry.h"
#include "paint/Image.h"

// Paints the faces and trail blobs of one family of creatures: the player's
// blue wisp or the souls' pale green ghosts. All faces of a family share one
// body, so the game's cross-fade between expressions never shifts the outline.
class CreaturePainter {
public:
    enum class Family { Ghost, Wisp };
    enum class Expression { Calm, Smile, Surprise, Anger, Sleepy, Wink, Grin, Fright };
    static constexpr int SIZE = 32;
    static constexpr int EXPRESSIONS = 8;
    static constexpr int TAILS = 4;

    explicit CreaturePainter(Family family);

    // A face SIZE x SIZE pixels, or larger by `scale` for the menu backdrop.
    Image face(Expression expression, float scale = 1.0f) const;
    Image tail(int variant) const;

private:
    // Whether a point lies inside the body, in sprite pixels.
    bool insideBody(float x, float y) const;
    // The body without features, shaded, at a point in sprite pixels.
    Colour bodyColour(float x, float y) const;

    // A dark or light mark on the face: a filled ellipse, or a stroke along
    // a polyline. `clipBelow`/`clipAbove` cut an ellipse with a sloped line
    // y = clipY + clipSlope * (x - cx) to make lids and frowning eyes.
    struct Mark {
        enum class Kind { Ellipse, Stroke };
        enum class Clip { None, KeepBelow, KeepAbove };
        Kind kind = Kind::Ellipse;
        bool light = false;
        float cx = 0, cy = 0, rx = 0, ry = 0;
        std::vector<Point> line;
        float thickness = 1.0f;
        Clip clip = Clip::None;
        float clipY = 0, clipSlope = 0;
        bool covers(Point p) const;
    };

    std::vector<Mark> marks(Expression expression) const;

    Family family;
    Point faceCentre;   // between the eyes
    float eyeSpacing;   // centre of each eye from faceCentre
    float eyeScale;
    Colour darkInk, lightInk, glowColour, coreColour, hazeColour;
    float glowStrength;
};
