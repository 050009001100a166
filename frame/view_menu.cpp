#include "frame/view_menu.h"

#include "objects/app_options.h"
#include "frame/option_flags.h"
#include "view/view_layout.h"
#include "documents/view_settings.h"

namespace {

const int kFitToWindow = 301;
const int kFitToPage = 307;
const int kCustomZoom = 308;
const int kShowToolbar = 314;
const int kShowGrid = 316;

void EnableAll(HMENU popup, bool enabled)
{
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i)
        EnableMenuItem(popup, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

} // namespace

int ZoomCommandOf(int zoom, int flags)
{
    if (flags & kViewFitMode)
        return (flags & kViewFitPage) ? kFitToPage : kFitToWindow;
    switch (zoom) {
    case 0:
        return 304;
    case 500:
        return 302;
    case 750:
        return 303;
    case 1500:
        return 305;
    case 2000:
        return 306;
    default:
        return kCustomZoom;
    }
}

void InitViewMenu(HMENU popup, HWND view)
{
    if (!popup)
        return;
    CheckMenuItem(popup, kShowToolbar, MF_BYCOMMAND | (PaletteShown ? MF_CHECKED : MF_UNCHECKED));
    ViewSettings settings;
    if (!view || !ReadViewSettings(view, &settings)) {
        EnableAll(popup, false);
        EnableMenuItem(popup, kShowToolbar, MF_BYCOMMAND | MF_ENABLED);
        return;
    }
    EnableAll(popup, true);
    CheckMenuItem(popup, kShowGrid,
                  MF_BYCOMMAND | ((GetOptionFlags() & kOptionFlagShowGrid) ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuRadioItem(popup, kFitToWindow, kCustomZoom, ZoomCommandOf(settings.zoom, settings.flags),
                       MF_BYCOMMAND);
}
