#include "common/scroll_helpers.h"

#include "common/app_globals.h"

void SetScrollRangeCompat(HWND window, int bar, int min, int max, int page, BOOL redraw)
{
    if (WindowsMajorVersion < 4) {
        SetScrollRange(window, bar, min, max, redraw);
        return;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = min;
    info.nMax = max == 0 ? 0 : max + page;
    info.nPage = static_cast<UINT>(page);
    SetScrollInfo(window, bar, &info, redraw);
}

void GetScrollRangeCompat(HWND window, int bar, int* min, int* max)
{
    if (WindowsMajorVersion < 4) {
        GetScrollRange(window, bar, min, max);
        return;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (!GetScrollInfo(window, bar, &info)) {
        *min = 0;
        *max = 0;
        return;
    }
    *min = info.nMin;
    *max = info.nMax - static_cast<int>(info.nPage);
    if (*max < 0)
        *max = 0;
}
