#include <initializer_list>

#include "view/paint_view.h"

#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/mapping.h"
#include "common/results.h"
#include "common/back_buffer.h"
#include "objects/drawing_layout.h"
#include "objects/paint_drawing.h"
#include "view/grid_paint.h"
#include "documents/view_children.h"
#include "documents/view_options.h"
#include "documents/view_settings.h"

namespace {

const int kPageBreakSlack = 10;
const COLORREF kGridColor = RGB(0, 128, 0);

void FillRectWith(HDC dc, const RECT* rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
    SelectObject(dc, old ? old : GetStockObject(BLACK_BRUSH));
    DeleteObject(brush);
}

// The part of the view's client area (device pixels) the rectangle covers.
RECT ClientPixels(HDC dc, const RECT* rect)
{
    RECT pixels = *rect;
    LPtoDP(dc, reinterpret_cast<POINT*>(&pixels), 2);
    return pixels;
}

void CopyPixels(HDC target, HDC source, const RECT& pixels)
{
    const int targetState = SaveDC(target);
    const int sourceState = SaveDC(source);
    for (HDC dc : {target, source}) {
        SetMapMode(dc, MM_TEXT);
        SetViewportOrgEx(dc, 0, 0, nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
    }
    BitBlt(target, pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, source,
           pixels.left, pixels.top, SRCCOPY);
    RestoreDC(source, sourceState);
    RestoreDC(target, targetState);
}

struct PaintJob {
    HWND view;
    const ViewRecord* record;
    COLORREF page;
    BOOL pageBreaks;
    int zoom;
};

void PaintDirect(HDC dc, const PaintJob& job, const RECT* rect)
{
    if (!RenderingMetafile)
        FillRectWith(dc, rect, job.page);
    PaintViewLayers(dc, job.view, job.record, rect, job.pageBreaks, job.zoom);
}

// Paints the covered pixels into the buffer and copies them in one step.
void PaintBuffered(HDC dc, const PaintJob& job, const RECT& pixels)
{
    const int state = SaveDC(BackBufferDC);
    SetZoomMapMode(BackBufferDC, job.zoom, 600);
    if (HPALETTE palette = WordToHandle<HPALETTE>(job.record->palette)) {
        SelectPalette(BackBufferDC, palette, FALSE);
        RealizePalette(BackBufferDC);
    }
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(BackBufferDC, origin.x, origin.y, nullptr);
    RECT logical = pixels;
    DPtoLP(BackBufferDC, reinterpret_cast<POINT*>(&logical), 2);
    InflateRect(&logical, 6, 6);
    FillRectWith(BackBufferDC, &logical, job.page);
    PaintViewLayers(BackBufferDC, job.view, job.record, &logical, job.pageBreaks, job.zoom);
    RestoreDC(BackBufferDC, state);
    CopyPixels(dc, BackBufferDC, pixels);
}

} // namespace

COLORREF ViewPageColor(HWND view, HDC dc)
{
    COLORREF color = RGB(255, 255, 255);
    ViewRecord* record = LockViewRecord(view);
    HGLOBAL drawingHandle = record ? GetViewDrawingHandle(record) : nullptr;
    if (record)
        ReleaseViewRecord(view);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (drawing) {
        if (drawing->style.backgroundColor != static_cast<COLORREF>(-1))
            color = drawing->style.backgroundColor;
        GlobalUnlock(drawingHandle);
    }
    return MapOutputColor(dc, color, 0);
}

void DrawPageBreaks(HDC dc, const RECT* r, int pw, int ph)
{
    if (pw <= 0 || ph <= 0)
        return;
    HPEN pen = CreatePen(PS_DOT, 0, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    for (int i = (r->left - kPageBreakSlack) / pw; i <= (r->right + kPageBreakSlack) / pw; ++i) {
        if (i < 1)
            continue;
        MoveToEx(dc, i * pw, 0, nullptr);
        LineTo(dc, i * pw, r->bottom);
    }
    for (int i = (r->top - kPageBreakSlack) / ph; i <= (r->bottom + kPageBreakSlack) / ph; ++i) {
        if (i < 1)
            continue;
        MoveToEx(dc, 0, i * ph, nullptr);
        LineTo(dc, r->right, i * ph);
    }
    SelectObject(dc, old ? old : GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

void PaintViewLayers(HDC dc, HWND, const ViewRecord* record, const RECT* rect, BOOL showPageBreaks, int zoom)
{
    const int state = SaveDC(dc);
    HGLOBAL drawing = record ? GetViewDrawingHandle(record) : nullptr;
    if (ViewOptionSet(kOptionsShowGrid)) {
        POINT corner = {rect->left, rect->top};
        LPtoDP(dc, &corner, 1);
        SetBrushOrgEx(dc, corner.x % 8, corner.y % 8, nullptr);
        HBRUSH horizontal = GridHorizontalBrush();
        HBRUSH vertical = GridVerticalBrush();
        UnrealizeObject(horizontal);
        UnrealizeObject(vertical);
        SetTextColor(dc, kGridColor);
        DrawGrid(drawing, dc, rect, horizontal, vertical, zoom);
    }
    if (showPageBreaks && record)
        DrawPageBreaks(dc, rect, record->printableWidth, record->printableHeight);
    if (drawing)
        PaintDrawingObjects(dc, drawing, rect, 0, 1, 0, 0);
    RestoreDC(dc, state);
}

void PaintDrawingView(HWND view, HDC dc, const RECT* rect)
{
    ViewSettings settings = {0, 0, 0, 0};
    ReadViewSettings(view, &settings);
    ViewRecord* record = LockViewRecord(view);
    if (!record) {
        FillRectWith(dc, rect, RGB(255, 255, 255));
        return;
    }
    PaintJob job = {view, record, ViewPageColor(view, dc),
                    InFitMode(settings) || (settings.zoom >= 1 && settings.zoom <= 500) ||
                        ViewOptionSet(kOptionsPageBreaks),
                    settings.zoom};
    SetAppCursor(1);
    const bool buffered = (record->flags & kViewRepaintBuffered) && BackBufferDC;
    if (buffered) {
        const RECT pixels = ClientPixels(dc, rect);
        const SIZE size = BackBufferSize();
        const RECT buffer = {0, 0, size.cx, size.cy};
        RECT covered;
        if (IntersectRect(&covered, &pixels, &buffer)) {
            PaintBuffered(dc, job, covered);
            // A view larger than the buffer: the rest is painted directly.
            const RECT rest[4] = {{pixels.left, pixels.top, pixels.right, covered.top},
                                  {pixels.left, covered.bottom, pixels.right, pixels.bottom},
                                  {pixels.left, covered.top, covered.left, covered.bottom},
                                  {covered.right, covered.top, pixels.right, covered.bottom}};
            for (const RECT& part : rest) {
                if (IsRectEmpty(&part))
                    continue;
                RECT logical = part;
                DPtoLP(dc, reinterpret_cast<POINT*>(&logical), 2);
                PaintDirect(dc, job, &logical);
            }
        } else {
            PaintDirect(dc, job, rect);
        }
        record->flags &= ~kViewRepaintBuffered;
    } else {
        PaintDirect(dc, job, rect);
    }
    ReleaseViewRecord(view);
    SetAppCursor(0);
}

void PaintDocumentMargins(HWND document, HDC dc, const RECT* paint)
{
    HWND view = DocumentViewOf(document);
    if (!view)
        return;
    RECT v;
    GetWindowRect(view, &v);
    MapWindowPoints(nullptr, document, reinterpret_cast<POINT*>(&v), 2);
    RECT c;
    GetClientRect(document, &c);
    HBRUSH grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    auto strip = [&](RECT area, int x1, int y1, int x2, int y2) {
        RECT hit;
        if (IntersectRect(&hit, &area, paint))
            FillRect(dc, &area, grey);
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
    };
    if (v.left > 0)
        strip(RECT{c.left, c.top, v.left, c.bottom}, v.left - 1, v.top, v.left - 1, v.bottom);
    if (v.right < c.right)
        strip(RECT{v.right, c.top, c.right, c.bottom}, v.right, v.top, v.right, v.bottom);
    if (v.top > 0)
        strip(RECT{v.left, c.top, v.right, v.top}, v.left - 1, v.top - 1, v.right + 1, v.top - 1);
    if (v.bottom < c.bottom)
        strip(RECT{v.left, v.bottom, v.right, c.bottom}, v.left - 1, v.bottom, v.right + 1, v.bottom);
    SelectObject(dc, oldPen);
}
