#include "view/view_zoom.h"

#include "view/view_record_word.h"

int GetViewZoom(HWND view, int* fitToWindow)
{
    if (fitToWindow)
        *fitToWindow = 0;
    if (!view || !IsWindow(view) || GetClassLongPtrA(view, GCL_CBWNDEXTRA) < kViewWindowBytes)
        return 0;
    HGLOBAL block = reinterpret_cast<HGLOBAL>(GetWindowLongPtrA(view, kViewSettingsWord));
    if (!block)
        return 0;
    auto* settings = static_cast<const ViewSettings*>(GlobalLock(block));
    if (!settings)
        return 0;
    int zoom = settings->zoom;
    if (fitToWindow)
        *fitToWindow = (settings->flags & kViewFitMode) && !(settings->flags & kViewFitPage) ? 1 : 0;
    GlobalUnlock(block);
    return zoom;
}
