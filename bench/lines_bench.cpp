// 8,000 shapes joined by 8,000 connectors: every connector re-routed, then
// one shape that carries 8 connectors moved, its connectors following and
// the drawing repainted. Prints the time of each.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "documents/app_options.h"
#include "documents/view_record.h"
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
#include "view/document_undo.h"
#include "view/view_record_word.h"

namespace {

const int kShapes = 8000;
const int kColumns = 80;
const int kHub = 8;          // connectors on the shape that moves
const int kMoves = 20;
// A drawing holds at most 6000 links: the first 3000 connectors are hooked at
// both ends, the others join the same shape points as free connectors.
const int kHookedConnectors = kMaxLinks / 2;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

HWND MakeView()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TessaryLinesBenchView";
    windowClass.cbWndExtra = kViewWindowBytes;
    RegisterClassA(&windowClass);
    return CreateWindowA("TessaryLinesBenchView", "view", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

DrawingRecord* LockedDrawing(HGLOBAL viewRecord)
{
    void* view = GlobalLock(viewRecord);
    HGLOBAL handle = GetViewDrawingHandle(view);
    GlobalUnlock(viewRecord);
    void* drawing = GlobalLock(handle);
    GlobalUnlock(handle);
    return static_cast<DrawingRecord*>(drawing);
}

int Fail(const char* what, ErrorCode code)
{
    std::printf("%s failed with %d\n", what, code);
    return 1;
}

RECT ShapeFrame(int i)
{
    int column = i % kColumns;
    int row = i / kColumns;
    return {200 + 380 * column, 200 + 300 * row, 400 + 380 * column, 300 + 300 * row};
}

} // namespace

int main()
{
    std::vector<unsigned char> options(kOptionsMinimumSize, 0);
    int32_t width = 12;
    std::memcpy(options.data() + kOptionsNewObjectDefaults, &width, sizeof(width));
    std::memcpy(options.data() + kOptionsNewObjectDefaults + 4, &width, sizeof(width));
    AppOptions = options.data();
    InitObjectKinds();
    if (InitRecordStore(kStoreTableSlots) != kErrNone)
        return Fail("store table", kErrNoMemory);

    char folder[MAX_PATH];
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "VXL", 0, path);
    int store = -1;
    int second = 0;
    ErrorCode code = CreateStoreFile(path, 0, kStoreShift, kDocumentMapCapacity);
    if (code == kErrNone)
        code = OpenStoreByName(path, &store, 0, &second, FALSE);
    for (short group : {100, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 120}) {
        if (code == kErrNone)
            code = CreateGroup(store, group);
    }
    RecordHandle record = nullptr;
    if (code == kErrNone)
        code = CreateRecord(store, kDrawingGroup, kDrawingRecordId, kDrawingRecordSize, &record);
    if (code == kErrNone)
        code = CreateRecord(store, kDrawingGroup, 101, 512, &record);
    if (code != kErrNone)
        return Fail("making the working store", code);

    HWND view = MakeView();
    HGLOBAL viewRecord = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 512);
    SetViewRecordHandle(view, viewRecord);
    WriteViewField(GlobalLock(viewRecord), kViewStoreSlot, store);
    GlobalUnlock(viewRecord);
    HGLOBAL drawingHandle = nullptr;
    code = CreateDrawingRecords(view, store, 0, 32000, 32000, 0, &drawingHandle);
    if (code != kErrNone)
        return Fail("CreateDrawingRecords", code);
    SetViewDrawingHandle(GlobalLock(viewRecord), drawingHandle);
    GlobalUnlock(viewRecord);

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
    CloseStore(store);
    DeleteFileA(path);
    return 0;
}
