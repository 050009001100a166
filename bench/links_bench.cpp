// One shape carrying 500 hooked shapes in a drawing of 16,000 objects: the
// shape is moved 100 times, each move marking its links and letting what
// hangs on it follow. Prints the time per move, first inside one open undo
// step, then as MoveObjects does it, one undo step per move.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "documents/app_options.h"
#include "documents/view_record.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/link_table.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/object_links.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/object_offset.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "view/document_undo.h"
#include "view/view_record_word.h"

namespace {

const int kObjects = 16000;
const int kHooked = 500;
const int kMoves = 100;

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
    windowClass.lpszClassName = "TessaryLinksBenchView";
    windowClass.cbWndExtra = kViewWindowBytes;
    RegisterClassA(&windowClass);
    return CreateWindowA("TessaryLinksBenchView", "view", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
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

// The hooked shapes must hang where the host says: their left middle on its
// right middle.
bool AllAttached(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    const DrawingObject* host = ObjectAt(objects.Get(), 0);
    int y = (host->frame.bottom - host->frame.top) / 2 + host->frame.top;
    for (int i = 1; i <= kHooked; ++i) {
        const DrawingObject* hooked = ObjectAt(objects.Get(), i);
        int middle = (hooked->frame.bottom - hooked->frame.top) / 2 + hooked->frame.top;
        if (hooked->frame.left != host->frame.right || middle != y)
            return false;
    }
    return true;
}

} // namespace

int main()
{
    std::vector<unsigned char> options(kOptionsMinimumSize, 0);
    int32_t width = 12;
    std::memcpy(options.data() + kOptionsNewObjectDefaults, &width, sizeof(width));
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

    // The host, the hooked shapes (stacked on its right side) and the rest.
    LARGE_INTEGER buildStart = Now();
    code = BeginDocumentUndo(view, 28);
    for (int i = 0; i < kObjects && code == kErrNone; ++i) {
        RECT frame;
        if (i == 0) {
            frame = {10000, 10000, 10600, 10300};
        } else if (i <= kHooked) {
            frame = {11000, 11000, 11300, 11150};
        } else {
            int column = (i - kHooked) % 100;
            int row = (i - kHooked) / 100;
            frame = {100 + 300 * column, 14000 + 100 * row, 340 + 300 * column, 14080 + 100 * row};
        }
        code = CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0);
    }
    if (code != kErrNone)
        return Fail("CreateObject", code);
    DrawingRecord* drawing = LockedDrawing(viewRecord);
    for (int i = 1; i <= kHooked && code == kErrNone; ++i)
        code = ConnectSlot(drawing, i, -1, 0, 207, 600, 300);
    if (code != kErrNone)
        return Fail("ConnectSlot", code);
    MarkLinksOf(drawing, 1, kLinkTargetMoved, 0, -1);
    code = UpdateLinks(drawing);
    if (code != kErrNone || !AllAttached(drawing))
        return Fail("attaching", code);
    double buildTotal = Seconds(buildStart, Now());

    // Inside one step: OffsetObject marks the links, UpdateLinks follows.
    LARGE_INTEGER start = Now();
    for (int move = 0; move < kMoves && code == kErrNone; ++move) {
        int dx = (move % 2 == 0) ? 40 : -30;
        {
            LockedTable objects(drawing, kTableObjects);
            code = OffsetObject(drawing, objects.Get(), 0, dx, 10);
        }
        if (code == kErrNone)
            code = UpdateLinks(drawing);
    }
    double inStep = Seconds(start, Now());
    if (code != kErrNone || !AllAttached(drawing))
        return Fail("moving inside one step", code);

    // The same without a window to invalidate: what the link work costs alone.
    uint32_t window = drawing->viewWindow;
    drawing->viewWindow = 0;
    start = Now();
    for (int move = 0; move < kMoves && code == kErrNone; ++move) {
        int dx = (move % 2 == 0) ? 40 : -30;
        {
            LockedTable objects(drawing, kTableObjects);
            code = OffsetObject(drawing, objects.Get(), 0, dx, 10);
        }
        if (code == kErrNone)
            code = UpdateLinks(drawing);
    }
    double unseen = Seconds(start, Now());
    drawing->viewWindow = window;
    if (code != kErrNone || !AllAttached(drawing))
        return Fail("moving without a window", code);

    // As the view moves it: MoveObjects, one undo step each.
    HGLOBAL list = nullptr;
    code = GatherLinkedObjects(drawing, 0, &list, kGatherAlone, nullptr);
    start = Now();
    for (int move = 0; move < kMoves && code == kErrNone; ++move) {
        int dx = (move % 2 == 0) ? 40 : -30;
        code = MoveObjects(view, dx, -10, list, 0);
    }
    double asSteps = Seconds(start, Now());
    drawing = LockedDrawing(viewRecord);
    if (code != kErrNone || !AllAttached(drawing))
        return Fail("MoveObjects", code);
    {
        LockedTable objects(drawing, kTableObjects);
        FreeLinkedObjects(list, objects.Get());
    }
    int links = 0;
    {
        LockedTable table(drawing, kTableLinks);
        links = table.Count();
    }

    std::printf("drawing of %d objects, %d of them hooked to one shape (%d links); built in %.3f s\n", kObjects,
                kHooked, links, buildTotal);
    std::printf("move with MarkLinksOf + UpdateLinks, inside one step: %.3f ms per move (%d moves, %.3f s)\n",
                inStep * 1e3 / kMoves, kMoves, inStep);
    std::printf("  the same without a window to invalidate:         %.3f ms per move\n", unseen * 1e3 / kMoves);
    std::printf("MoveObjects, one undo step per move:               %.3f ms per move (%d moves, %.3f s)\n",
                asSteps * 1e3 / kMoves, kMoves, asSteps);

    void* viewBytes = GlobalLock(viewRecord);
    ReleaseDrawingRecords(GetViewDrawingHandle(viewBytes));
    SetViewDrawingHandle(viewBytes, nullptr);
    GlobalUnlock(viewRecord);
    CloseStore(store);
    DeleteFileA(path);
    DestroyWindow(view);
    GlobalFree(viewRecord);
    TermRecordStore();
    TermObjectKinds();
    AppOptions = nullptr;
    return 0;
}
