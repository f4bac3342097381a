#include "desktop/DisplayMode.h"

#include <allegro.h>

#include "desktop/FramePlacement.h"
#include "settings/Settings.h"

namespace {

const int PALETTE_DEPTH = 8;

// The part of one side of the desktop a window may take.
int windowRoom(int desktopSide)
{
    return static_cast<int>(static_cast<long long>(desktopSide) * WINDOW_DESKTOP_PERCENT / 100);
}

// The game's sprites are blended in true colour. A palette mode has no colour
// map to blend through, and the X driver opens one on any display, so the
// first translucent sprite would crash: that depth counts as refused.
bool depthDrawable(int depth) { return depth != PALETTE_DEPTH; }

// The one other colour depth tried when the configured one is refused.
int alternativeDepth(int depth)
{
    switch (depth) {
    case 15:
        return 16;
    case 16:
        return 15;
    case 24:
        return 32;
    case 32:
        return 24;
    case PALETTE_DEPTH:
        // Nothing sensible to fall back to from a palette mode; the retry at
        // depth 0 is refused by the library and start-up ends with GfxMode.
        return 0;
    default:
        return 16;
    }
}

// The mode at the configured depth, else at the alternative one, which then
// becomes the bpp setting.
bool openAtEitherDepth(ModeRequest request, int card, ModeSize size)
{
    if (depthDrawable(settings.bpp) && request(card, size.w, size.h, settings.bpp))
        return true;
    int alternative = alternativeDepth(settings.bpp);
    if (!request(card, size.w, size.h, alternative))
        return false;
    settings.bpp = alternative;
    return true;
}

} // namespace

bool screenSizeAccepted(int w, int h)
{
    return w >= 1 && w <= MAX_SCREEN_SIZE && h >= 1 && h <= MAX_SCREEN_SIZE;
}

ModeSize preferredModeSize(int scale, bool fullscreen, int w, int h, int desktopW, int desktopH)
{
    ModeSize frameSized{w, h};
    if (scale == 1)
        return frameSized;
    if (fullscreen) {
        if (fittingScale(w, h, desktopW, desktopH) < 2)
            return frameSized;
        return {desktopW, desktopH};
    }
    int factor = chosenScale(scale, fittingScale(w, h, windowRoom(desktopW), windowRoom(desktopH)));
    return {w * factor, h * factor};
}

bool requestMode(int card, int w, int h, int depth)
{
    set_color_depth(depth);
    return set_gfx_mode(card, w, h, 0, 0) == 0;
}

bool desktopSize(int* w, int* h) { return get_desktop_resolution(w, h) == 0; }

namespace {

// The preferred mode, else the frame-sized one; at either depth, or only at
// the bpp setting.
Error openMode(ModeRequest request, DesktopQuery desktop, bool eitherDepth)
{
    // The windowed X driver opens a negative width and aborts the process on
    // a zero or huge one, so such sizes never reach it.
    if (!screenSizeAccepted(settings.w, settings.h))
        return Error(GfxMode);
    int card = settings.fullscreen ? GFX_AUTODETECT : GFX_AUTODETECT_WINDOWED;
    int desktopW = 0;
    int desktopH = 0;
    if (!desktop(&desktopW, &desktopH))
        desktopW = desktopH = 0;
    auto open = [&](ModeSize size) {
        return eitherDepth ? openAtEitherDepth(request, card, size) : request(card, size.w, size.h, settings.bpp);
    };
    ModeSize frameSized{settings.w, settings.h};
    ModeSize preferred =
        preferredModeSize(settings.scale, settings.fullscreen != 0, settings.w, settings.h, desktopW, desktopH);
    // A display that refuses the enlarged mode still gets the game it got
    // before the picture could be enlarged.
    if (!(preferred == frameSized) && screenSizeAccepted(preferred.w, preferred.h) && open(preferred))
        return Error(NoError);
    if (!open(frameSized))
        return Error(GfxMode);
    return Error(NoError);
}

} // namespace

Error openGraphicsMode(ModeRequest request, DesktopQuery desktop) { return openMode(request, desktop, true); }

Error reopenGraphicsMode(ModeRequest request, DesktopQuery desktop) { return openMode(request, desktop, false); }
