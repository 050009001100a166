// Where the view stands after a zoom: centred on the objects, or keeping a
// drawing point where it was on the screen.
#include <initializer_list>

#include "common/mapping.h"
#include "objects/view_record.h"
#include "objects/drawing_extents.h"
#include "view/scroll_view.h"
#include "documents/view_children.h"
#include "view/view_layout.h"
#include "documents/view_settings.h"
#include "view/view_zoom.h"

namespace {

HGLOBAL ViewDrawing(HWND view)
{
    ViewRecord* record = LockViewRecord(view);
    HGLOBAL drawing = record ? GetViewDrawingHandle(record) : nullptr;
    if (record)
        ReleaseViewRecord(view);
    return drawing;
}

void MarkBufferedRepaint(HWND view)
{
    if (ViewRecord* record = LockViewRecord(view)) {
        record->flags |= kViewRepaintBuffered;
        ReleaseViewRecord(view);
    }
    InvalidateRect(view, nullptr, FALSE);
}

RECT DeviceOffsets(HDC dc, const RECT& logical)
{
    SIZE a = {logical.left, logical.top};
    SIZE b = {logical.right, logical.bottom};
    LogicalToDeviceSize(dc, &a);
    LogicalToDeviceSize(dc, &b);
    return RECT{a.cx, a.cy, b.cx, b.cy};
}

int Clamp(int value, int high)
{
    if (value > high)
        value = high;
    return value < 0 ? 0 : value;
}

// Scrolls to the wanted positions; the rulers follow.
void ScrollTo(HWND view, int zoom, int x, int y)
{
    const int dx = Clamp(x, ScrollRangeEnd(view, 0)) - GetScrollPos(view, SB_HORZ);
    const int dy = Clamp(y, ScrollRangeEnd(view, 1)) - GetScrollPos(view, SB_VERT);
    HDC dc = GetDC(view);
    ScrollViewBy(view, dc, zoom, dx, dy, nullptr);
    ReleaseDC(view, dc);
    SyncRulerOrigins(view);
    for (HWND ruler : {HorizontalRulerOf(view), VerticalRulerOf(view)})
        if (ruler && IsWindowVisible(ruler))
            InvalidateRect(ruler, nullptr, TRUE);
    MarkBufferedRepaint(view);
}

} // namespace

BOOL CentreViewContentsAt(HWND view, int zoom)
{
    HGLOBAL drawing = ViewDrawing(view);
    RECT extents;
    GetDrawingExtents(drawing, FALSE, &extents);
    if (IsRectEmpty(&extents))
        return FALSE;
    HDC dc = GetDC(view);
    RECT device = DeviceOffsets(dc, extents);
    RECT client;
    GetClientRect(view, &client);
    const int w = device.right - device.left;
    const int h = device.bottom - device.top;
    if (client.right < w || client.bottom < h) {
        RECT part;
        GetDrawingExtents(drawing, TRUE, &part);
        if (IsRectEmpty(&part)) {
            if (HWND editor = ViewEditorOf(view)) {
                GetWindowRect(editor, &part);
                MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&part), 2);
                DPtoLP(dc, reinterpret_cast<POINT*>(&part), 2);
            }
        }
        if (!IsRectEmpty(&part)) {
            const RECT partDevice = DeviceOffsets(dc, part);
            if (client.right < w) {
                device.left = partDevice.left;
                device.right = partDevice.right;
            }
            if (client.bottom < h) {
                device.top = partDevice.top;
                device.bottom = partDevice.bottom;
            }
        }
    }
    ReleaseDC(view, dc);
    const int dx = (client.right - (device.right - device.left)) / 2 + client.left - device.left;
    const int dy = (client.bottom - (device.bottom - device.top)) / 2 + client.top - device.top;
    if (dx == 0 && dy == 0)
        return FALSE;
    ScrollTo(view, zoom, -dx, -dy);
    return TRUE;
}

BOOL CentreViewContents(HWND view)
{
    ViewSettings settings;
    if (!ReadViewSettings(view, &settings))
        return FALSE;
    return CentreViewContentsAt(view, settings.zoom);
}

void KeepPointOnScreen(HWND view, int zoom, POINT drawingPoint, POINT clientPoint)
{
    HDC dc = GetDC(view);
    SIZE offset = {drawingPoint.x, drawingPoint.y};
    LogicalToDeviceSize(dc, &offset);
    ReleaseDC(view, dc);
    ScrollTo(view, zoom, offset.cx - clientPoint.x, offset.cy - clientPoint.y);
}

POINT GetZoomReferencePoint(HWND view, BOOL page)
{
    POINT point = {0, 0};
    if (!page) {
        RECT client;
        GetClientRect(view, &client);
        point = {client.right / 2, client.bottom / 2};
        HDC dc = GetDC(view);
        DPtoLP(dc, &point, 1);
        ReleaseDC(view, dc);
    }
    RECT selected;
    GetDrawingExtents(ViewDrawing(view), TRUE, &selected);
    if (!IsRectEmpty(&selected))
        point = {selected.left, selected.top};
    return point;
}

void ToggleFitZoomAt(HWND view, int x, int y)
{
    ViewSettings settings;
    if (!ReadViewSettings(view, &settings))
        return;
    HWND document = GetParent(view);
    if (InFitMode(settings)) {
        settings.flags &= ~(kViewFitMode | kViewFitPage);
        settings.zoom = 0;
        WriteViewSettings(view, settings);
        RECT before;
        GetWindowRect(view, &before);
        POINT point = {x, y};
        HDC dc = GetDC(view);
        DPtoLP(dc, &point, 1);
        ReleaseDC(view, dc);
        ApplyViewZoom(view, 0, 0);
        LayoutDocumentWindow(document, view);
        RECT after;
        GetWindowRect(view, &after);
        dc = GetDC(view);
        SIZE offset = {point.x, point.y};
        LogicalToDeviceSize(dc, &offset);
        ReleaseDC(view, dc);
        ScrollTo(view, 0, offset.cx + after.left - x - before.left, offset.cy + after.top - y - before.top);
    } else {
        settings.flags = (settings.flags | kViewFitMode) & ~kViewFitPage;
        WriteViewSettings(view, settings);
        LayoutDocumentWindow(document, view);
    }
    MarkBufferedRepaint(view);
}
