// Mouse edits in a full drawing: the time from the release of a move to the
// completed repaint of the view, for one shape and for 1,000 selected shapes,
// and the time of the Undo of each with its repaint.
#include <windows.h>

#include <cstdio>

#include "bench_drawing.h"
#include "common/mapping.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "objects/paint_drawing.h"
#include "objects/document_undo.h"
#include "view/selection_changes.h"
#include "view/tool_palette.h"
#include "view/view_mouse.h"

namespace {

const int kObjects = 16000;
const int kColumns = 160;
const int kSpacing = 200;
const int kSide = 150;

LRESULT CALLBACK EditBenchView(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT clip = paint.rcPaint;
    DPtoLP(dc, reinterpret_cast<POINT*>(&clip), 2);
    HGLOBAL viewRecord = GetViewRecordHandle(window);
    void* record = viewRecord ? GlobalLock(viewRecord) : nullptr;
    HGLOBAL drawing = record ? GetViewDrawingHandle(record) : nullptr;
    if (viewRecord)
        GlobalUnlock(viewRecord);
    if (drawing)
        PaintDrawingObjects(dc, drawing, &clip, 0, 1, 0, 0);
    EndPaint(window, &paint);
    return 0;
}

// A painting view window with the zoom mapping in its own device context.
HWND MakeEditBenchView()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = EditBenchView;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TessaryEditBenchView";
    windowClass.cbWndExtra = kViewWindowBytes;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassA(&windowClass);
    HWND view = CreateWindowA("TessaryEditBenchView", "view", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (view) {
        HDC dc = GetDC(view);
        SetZoomMapMode(dc, 0, 600);
        ReleaseDC(view, dc);
    }
    return view;
}

ErrorCode FillDrawing(HWND view)
{
    ErrorCode code = BeginDocumentUndo(view, kUndoStepDrawing);
    for (int i = 0; i < kObjects && code == kErrNone; ++i) {
        int x = 100 + (i % kColumns) * kSpacing;
        int y = 100 + (i / kColumns) * kSpacing;
        RECT frame = {x, y, x + kSide, y + kSide};
        code = CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0);
    }
    ClearDocumentUndo(view);
    return code;
}

void SelectFirst(DrawingRecord* drawing, int count)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (i < count)
            object->stateFlags |= kStateSelected;
        else
            object->stateFlags &= ~kStateSelected;
    }
    drawing->selectedCount = count;
    drawing->primarySelected = count > 0 ? 0 : -1;
}

// Drags object 0's centre by (dx, dy) pixels; the figure is release to repaint.
double TimedMove(HWND view, int dx, int dy)
{
    POINT from = {(100 + kSide / 2) / 6, (100 + kSide / 2) / 6};
    ViewButtonDown(view, MK_LBUTTON, from, FALSE);
    for (int i = 1; i <= 4; ++i)
        ViewMouseMove(view, MK_LBUTTON, POINT{from.x + dx * i / 4, from.y + dy * i / 4});
    UpdateWindow(view);
    LARGE_INTEGER start = Now();
    ViewButtonUp(view, 0, POINT{from.x + dx, from.y + dy});
    UpdateWindow(view);
    return Seconds(start, Now());
}

double TimedUndo(HWND view)
{
    LARGE_INTEGER start = Now();
    Require("undo", SwapDocumentUndo(view, 1));
    UpdateWindow(view);
    return Seconds(start, Now());
}

} // namespace

int main()
{
    BenchDrawing bench;
    ErrorCode code = OpenBenchDrawing("EDB", &bench);
    if (code != kErrNone)
        return Fail("opening the drawing", code);
    // The mouse goes to a painting view that shows the same drawing.
    HWND view = MakeEditBenchView();
    if (!view)
        return Fail("making the view", kErrNoMemory);
    SetViewRecordHandle(view, bench.viewRecord);
    void* record = GlobalLock(bench.viewRecord);
    WriteViewField(record, kViewDrawingWidth, 32000);
    WriteViewField(record, kViewDrawingHeight, 32000);
    GlobalUnlock(bench.viewRecord);
    LockedDrawing(bench.viewRecord)->viewWindow = static_cast<uint32_t>(HandleToUlong(view));
    LockedDrawing(bench.viewRecord)->flags &= ~kDrawingSnap;
    CurrentPaletteTool = kToolSelect;

    LARGE_INTEGER start = Now();
    code = FillDrawing(view);
    if (code != kErrNone)
        return Fail("filling the drawing", code);
    std::printf("drawing of %d objects made in %.3f s\n", kObjects, Seconds(start, Now()));
    InvalidateRect(view, nullptr, FALSE);
    UpdateWindow(view);

    SelectFirst(LockedDrawing(bench.viewRecord), 1);
    std::printf("move of one shape, release to repaint: %.4f s\n", TimedMove(view, 20, 10));
    std::printf("undo of that move with repaint: %.4f s\n", TimedUndo(view));

    SelectFirst(LockedDrawing(bench.viewRecord), 1000);
    std::printf("move of 1000 selected shapes, release to repaint: %.4f s\n", TimedMove(view, 20, 10));
    std::printf("undo of that move with repaint: %.4f s\n", TimedUndo(view));
    DestroyWindow(view);
    return 0;
}
