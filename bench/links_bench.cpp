// One shape carrying 500 hooked shapes in a drawing of 16,000 objects: the
// shape is moved 100 times, each move marking its links and letting what
// hangs on it follow. Prints the time per move, first inside one open undo
// step, then as MoveObjects does it, one undo step per move.
#include <windows.h>

#include "bench/bench_drawing.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/io_seam.h"
#include "objects/app_options.h"
#include "objects/view_record.h"
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
#include "objects/document_undo.h"
#include "objects/view_record_word.h"

namespace {

const int kObjects = 16000;
const int kHooked = 500;
const int kMoves = 100;

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
    BenchDrawing bench;
    ErrorCode code = OpenBenchDrawing("VXL", &bench);
    if (code != kErrNone)
        return Fail("making the working drawing", code);
    HWND view = bench.view;
    HGLOBAL viewRecord = bench.viewRecord;
    int store = bench.store;
    const char* path = bench.path;

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
    Require("closing the store", CloseStore(store));
    DeleteFileA(path);
    DestroyWindow(view);
    GlobalFree(viewRecord);
    TermRecordStore();
    TermObjectKinds();
    AppOptions = nullptr;
    return 0;
}
