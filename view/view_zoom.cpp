#include <initializer_list>

#include "view/view_zoom.h"

#include "common/mapping.h"
#include "objects/view_record.h"
#include "documents/view_children.h"
#include "documents/view_settings.h"

namespace {

const UINT kTenSetZoom = 1127;
const int kPageMargin = 300;

// The first menu step above, or below, the current zoom.
int StepIn(int current)
{
    if (current < 500)
        return 500;
    if (current < 750)
        return 750;
    if (current < 1000)
        return 0;
    if (current < 1500)
        return 1500;
    return 2000;
}

int StepOut(int current)
{
    if (current <= 750)
        return 500;
    if (current <= 1000)
        return 750;
    if (current <= 1500)
        return 0;
    if (current <= 2000)
        return 1500;
    return 2000;
}

void SetEditorBox(HWND view, HWND editor, const RECT& box, int zoom, int mode)
{
    HDC dc = GetDC(view);
    SIZE corner = {box.left, box.top};
    SIZE extent = {box.right - box.left, box.bottom - box.top};
    LogicalToDeviceSize(dc, &corner);
    LogicalToDeviceSize(dc, &extent);
    ReleaseDC(view, dc);
    if (mode == 0) {
        corner.cx -= GetScrollPos(view, SB_HORZ);
        corner.cy -= GetScrollPos(view, SB_VERT);
    }
    SendMessageA(editor, kTenSetZoom, static_cast<WPARAM>(zoom), 0);
    SetWindowPos(editor, nullptr, corner.cx, corner.cy, extent.cx, extent.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SendMessageA(editor, WM_ACTIVATE, WA_ACTIVE, 0);
    ShowWindow(editor, SW_SHOWNA);
}

} // namespace

bool DecideZoom(const ViewSettings& settings, int value, int mode, ZoomDecision* decision)
{
    const bool fit = (settings.flags & kViewFitMode) != 0;
    const bool fitPage = fit && (settings.flags & kViewFitPage) != 0;
    const bool fitWindow = fit && !fitPage;
    const int current = settings.zoom == 0 ? 1000 : settings.zoom;
    *decision = {value, mode, mode == 2};
    if (mode == 0 && value == kZoomIn) {
        if (fitPage) {
            *decision = {500, 0, false};
        } else if (fitWindow) {
            *decision = {0, 1, true};
        } else {
            if (current >= 2000)
                return false;
            *decision = {StepIn(current), 0, false};
        }
        return true;
    }
    if (mode == 0 && value == kZoomOut) {
        if (fitPage) {
            *decision = {0, 1, false};
        } else if (fitWindow) {
            return false;
        } else if (current <= 500) {
            *decision = {0, 1, true};
        } else {
            *decision = {StepOut(current), 0, false};
        }
        return true;
    }
    if (mode == 0 && value == kZoomCustom)
        return false;
    if (fit)
        return mode != (fitPage ? 2 : 1);
    return value != settings.zoom || mode != 0;
}

void ApplyViewZoom(HWND view, int zoom, int mode)
{
    HWND editor = ViewEditorOf(view);
    RECT box = {0, 0, 0, 0};
    if (editor) {
        // The editor's box in drawing units, read before the mapping changes.
        HDC dc = GetDC(view);
        GetWindowRect(editor, &box);
        MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&box), 2);
        DPtoLP(dc, reinterpret_cast<POINT*>(&box), 2);
        ReleaseDC(view, dc);
        ShowWindow(editor, SW_HIDE);
    }
    HDC dc = GetDC(view);
    SetZoomMapMode(dc, zoom, 600);
    ReleaseDC(view, dc);
    HWND ruler = HorizontalRulerOf(view);
    if (ruler && IsWindowVisible(ruler)) {
        for (HWND each : {ruler, VerticalRulerOf(view)}) {
            if (!each)
                continue;
            HDC rulerDc = GetDC(each);
            SetZoomMapMode(rulerDc, 0, 100);
            ReleaseDC(each, rulerDc);
        }
    }
    if (editor)
        SetEditorBox(view, editor, box, zoom, mode);
}

int ComputeFitZoom(HWND view, ViewSettings* settings, SIZE available)
{
    const int oldZoom = settings->zoom;
    const bool page = (settings->flags & kViewFitPage) != 0;
    HDC dc = GetDC(view);
    SetZoomMapMode(dc, 0, 600);
    settings->zoom = 0;
    SIZE extent = {settings->extentX, settings->extentY};
    if (page) {
        ViewRecord* record = LockViewRecord(view);
        if (record) {
            extent.cx = record->printableWidth + kPageMargin;
            extent.cy = record->printableHeight + kPageMargin;
            ReleaseViewRecord(view);
        }
    }
    LogicalToDeviceSize(dc, &extent);
    int z = 0;
    if (extent.cx > 0 && available.cx < extent.cx)
        z = static_cast<int>(static_cast<long long>(available.cx) * 1000 / extent.cx);
    if (extent.cy > 0 && available.cy < extent.cy) {
        const int zy = static_cast<int>(static_cast<long long>(available.cy) * 1000 / extent.cy);
        if (zy < z || z == 0)
            z = zy;
    }
    if (z <= 0 && (available.cx < extent.cx || available.cy < extent.cy))
        z = 1;
    if (!page && (z == 0 || z > kFitToWindowMost))
        z = kFitToWindowMost;
    if (z >= 1 && z <= 9)
        z = 10;
    else if (z > 9)
        z = z / 10 * 10;
    // A page that fits at 100 per cent in both directions stays at 100 per cent.
    SetZoomMapMode(dc, oldZoom, 600);
    ReleaseDC(view, dc);
    settings->zoom = oldZoom;
    if (z != oldZoom) {
        ApplyViewZoom(view, z, page ? 2 : 1);
        settings->zoom = z;
    }
    return z;
}
