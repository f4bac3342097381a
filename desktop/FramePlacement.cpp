#include "desktop/FramePlacement.h"

#include <allegro.h>

#include "settings/Settings.h"

int fittingScale(int w, int h, int areaW, int areaH)
{
    if (w < 1 || h < 1)
        return 1;
    int across = areaW / w;
    int down = areaH / h;
    int fitting = across < down ? across : down;
    return fitting < 1 ? 1 : fitting;
}

int chosenScale(int scale, int fitting)
{
    if (scale < 1 || scale > fitting)
        return fitting;
    return scale;
}

FramePlacement placeFrame(int scale, int w, int h, int screenW, int screenH)
{
    FramePlacement placement;
    placement.scale = chosenScale(scale, fittingScale(w, h, screenW, screenH));
    // Without room even for the frame it stays in the top-left corner and the
    // display clips it, as an unscaled game always did.
    int spareW = screenW - w * placement.scale;
    int spareH = screenH - h * placement.scale;
    placement.x = spareW > 0 ? spareW / 2 : 0;
    placement.y = spareH > 0 ? spareH / 2 : 0;
    return placement;
}

FramePlacement currentFramePlacement()
{
    return placeFrame(settings.scale, settings.w, settings.h, SCREEN_W, SCREEN_H);
}

bool displayIsFrameSized() { return screen && SCREEN_W == settings.w && SCREEN_H == settings.h; }
