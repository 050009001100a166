#include "documents/view_settings.h"
#include "view/view_zoom.h"

int GetViewZoom(HWND view, int* fitToWindow)
{
    if (fitToWindow)
        *fitToWindow = 0;
    ViewSettings settings;
    if (!ReadViewSettings(view, &settings))
        return 0;
    if (fitToWindow)
        *fitToWindow = (settings.flags & kViewFitMode) && !(settings.flags & kViewFitPage) ? 1 : 0;
    return settings.zoom;
}
