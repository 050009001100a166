#include "documents/page_layout.h"

#include "documents/printer_context.h"

void ApplyPageMeasures(ViewRecord* view, const SIZE& pageSize, const RECT& deviceMargins)
{
    view->pageWidth = pageSize.cx;
    view->pageHeight = pageSize.cy;
    view->deviceMargins = deviceMargins;
    view->margins.left = deviceMargins.left < 0 ? 0 : deviceMargins.left;
    view->margins.top = deviceMargins.top < 0 ? 0 : deviceMargins.top;
    view->margins.right = deviceMargins.right < 0 ? 0 : deviceMargins.right;
    view->margins.bottom = deviceMargins.bottom < 0 ? 0 : deviceMargins.bottom;
    view->printableWidth = view->pageWidth - view->margins.left - view->margins.right;
    view->printableHeight = view->pageHeight - view->margins.top - view->margins.bottom;
    if (view->overlap != 0) {
        if (view->printableWidth != view->pageWidth)
            view->printableWidth -= view->overlap;
        if (view->printableHeight != view->pageHeight)
            view->printableHeight -= view->overlap;
    }
}

int DevModeOrientation(HGLOBAL devMode)
{
    if (!devMode || GlobalSize(devMode) < kDevModePublicSize)
        return DMORIENT_PORTRAIT;
    auto* dm = static_cast<const DEVMODEA*>(GlobalLock(devMode));
    if (!dm)
        return DMORIENT_PORTRAIT;
    int orientation = dm->dmOrientation;
    GlobalUnlock(devMode);
    return orientation;
}

void SetDrawingAreaFromFlags(ViewRecord* view, HGLOBAL devMode)
{
    if (!(view->flags & kViewPageSizedArea)) {
        view->drawingWidth = kFreeDrawingSide;
        view->drawingHeight = kFreeDrawingSide;
    } else if (DevModeOrientation(devMode) == DMORIENT_PORTRAIT) {
        view->drawingWidth = kPageAreaShort;
        view->drawingHeight = kPageAreaLong;
    } else {
        view->drawingWidth = kPageAreaLong;
        view->drawingHeight = kPageAreaShort;
    }
}
