// 8,000 shapes joined by 8,000 connectors: every connector re-routed, then
// one shape that carries 8 connectors moved, its connectors following and
// the drawing repainted. Prints the time of each.
#include <windows.h>

#include "bench/bench_drawing.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
#include "lines/connector_create.h"
#include "lines/connector_route.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/object_offset.h"
#include "objects/paint_drawing.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "objects/document_undo.h"
#include "objects/view_record_word.h"

namespace {

const int kShapes = 8000;
const int kColumns = 80;
const int kHub = 8;          // connectors on the shape that moves
const int kMoves = 20;
// A drawing holds at most 6000 links: the first 3000 connectors are hooked at
// both ends, the others join the same shape points as free connectors.
const int kHookedConnectors = kMaxLinks / 2;

RECT ShapeFrame(int i)
{
    int column = i % kColumns;
    int row = i / kColumns;
    return {200 + 380 * column, 200 + 300 * row, 400 + 380 * column, 300 + 300 * row};
}

} // namespace

int main()
{
    BenchDrawing bench;
    ErrorCode code = OpenBenchDrawing("VXL", &bench);
    if (code != kErrNone)
        return Fail("making the working drawing", code);
    HWND view = bench.view;
    HGLOBAL viewRecord = bench.viewRecord;
    int store = bench.store;
    const char* path = bench.path;
    HGLOBAL drawingHandle = bench.drawing;

    LARGE_INTEGER buildStart = Now();
    code = BeginDocumentUndo(view, 28);
    for (int i = 0; i < kShapes && code == kErrNone; ++i) {
        RECT frame = ShapeFrame(i);
        code = CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0);
    }
    if (code != kErrNone)
        return Fail("CreateObject", code);
    // Each shape joins its right neighbour (the hub, shape 0, carries 8).
    int connectors = 0;
    for (int i = 0; i < kShapes && code == kErrNone; ++i) {
        int from = i < kHub ? 0 : i;
        int to = i < kHub ? i + 1 + kColumns : (i + 1) % kShapes;
        ConnectorEnd a = {from, {600, 300}, {0, 0}};
        ConnectorEnd b = {to, {0, 300}, {0, 0}};
        if (i >= kHookedConnectors) {
            RECT fa = ShapeFrame(from);
            RECT fb = ShapeFrame(to);
            a = {-1, {0, 0}, {fa.right, (fa.top + fa.bottom) / 2}};
            b = {-1, {0, 0}, {fb.left, (fb.top + fb.bottom) / 2}};
        }
        int index = -1;
        code = CreateConnector(view, a, b, i % 2, 1, &index);
        if (index >= 0)
            ++connectors;
    }
    if (code != kErrNone)
        return Fail("CreateConnector", code);
    double buildTotal = Seconds(buildStart, Now());
    DrawingRecord* drawing = LockedDrawing(viewRecord);

    // Every connector routed again from its stored ends.
    LARGE_INTEGER start = Now();
    {
        LockedTable objects(drawing, kTableObjects);
        for (int i = kShapes; i < objects.Count(); ++i) {
            RECT frame = ObjectAt(objects.Get(), i)->frame;
            CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgResizeToRect, 0, 0,
                           reinterpret_cast<INT_PTR>(&frame));
            objects.Refresh();
        }
    }
    double rerouteAll = Seconds(start, Now());

    // The hub moves: its 8 connectors follow, then the drawing is painted.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3200, 3200);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 10, 10, nullptr);
    SetViewportExtEx(dc, 1, 1, nullptr);
    double follow = 0.0;
    double paint = 0.0;
    for (int move = 0; move < kMoves && code == kErrNone; ++move) {
        int dy = (move % 2 == 0) ? 60 : -60;
        start = Now();
        {
            LockedTable objects(drawing, kTableObjects);
            code = OffsetObject(drawing, objects.Get(), 0, 0, dy);
        }
        if (code == kErrNone)
            code = UpdateLinks(drawing);
        LARGE_INTEGER moved = Now();
        PaintDrawingObjects(dc, drawingHandle, nullptr, 0, 0, 0, 0);
        GdiFlush();
        LARGE_INTEGER painted = Now();
        follow += Seconds(start, moved);
        paint += Seconds(moved, painted);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (code != kErrNone)
        return Fail("moving the hub", code);

    std::printf("lines bench: %d shapes, %d connectors (%d hooked at both ends) built in %.2f s\n", kShapes,
                connectors, kHookedConnectors, buildTotal);
    std::printf("re-route all %d connectors: %.1f ms (%.2f us each)\n", connectors, rerouteAll * 1000.0,
                rerouteAll * 1e6 / (connectors ? connectors : 1));
    std::printf("move the shape carrying %d connectors: %.3f ms to re-route, %.1f ms to repaint (mean of %d)\n",
                kHub, follow * 1000.0 / kMoves, paint * 1000.0 / kMoves, kMoves);
    Require("closing the store", CloseStore(store));
    DeleteFileA(path);
    return 0;
}
