// Creating 16,000 rectangles one by one in a working store, each in its own
// undo step as the drawing view makes them, then deleting every second one in
// one call. Prints the time per creation, the totals and the store's size.
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
#include "objects/object_create.h"
#include "objects/object_delete.h"
#include "objects/object_kind_table.h"
#include "store/record_store.h"
#include "objects/document_undo.h"
#include "objects/view_record_word.h"

namespace {

const int kObjects = 16000;
// The last creations are timed apart: one creation in a full drawing.
const int kLastCreations = 100;

} // namespace

int main()
{
    BenchDrawing bench;
    ErrorCode code = OpenBenchDrawing("VXB", &bench);
    if (code != kErrNone)
        return Fail("making the working drawing", code);
    HWND view = bench.view;
    HGLOBAL viewRecord = bench.viewRecord;
    int store = bench.store;
    const char* path = bench.path;

    LARGE_INTEGER start = Now();
    double slowest = 0;
    LARGE_INTEGER lastStart = start;
    for (int i = 0; i < kObjects; ++i) {
        int column = i % 100;
        int row = i / 100;
        RECT frame = {100 + 300 * column, 100 + 190 * row, 340 + 300 * column, 250 + 190 * row};
        LARGE_INTEGER before = Now();
        if (i == kObjects - kLastCreations)
            lastStart = before;
        code = CreateObject(view, kKindShape, &frame, 2, 0, 0, 1, 0, 0, 1);
        double took = Seconds(before, Now());
        if (took > slowest)
            slowest = took;
        if (code != kErrNone)
            return Fail("CreateObject", code);
        if ((i + 1) % 4000 == 0)
            std::printf("  %5d objects: %.3f s so far\n", i + 1, Seconds(start, Now()));
    }
    double createTotal = Seconds(start, Now());
    double lastEach = Seconds(lastStart, Now()) / kLastCreations;

    // Every second object selected, then one delete in one undo step.
    DrawingRecord* d = LockedDrawing(viewRecord);
    {
        LockedTable objects(d, kTableObjects);
        d->selectedCount = 0;
        for (int i = 0; i < objects.Count(); ++i) {
            DrawingObject* object = ObjectAt(objects.Get(), i);
            object->stateFlags = (i % 2 == 0) ? static_cast<uint32_t>(kStateSelected) : 0u;
            if (i % 2 == 0)
                ++d->selectedCount;
        }
    }
    LARGE_INTEGER deleteStart = Now();
    code = BeginDocumentUndo(view, 28);
    d = LockedDrawing(viewRecord);
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableLinks, kTableGroups}) {
        if (code == kErrNone)
            code = MarkDrawingTableChanged(d, table);
    }
    if (code == kErrNone)
        code = DeleteObjects(d, 1, -1);
    double deleteTotal = Seconds(deleteStart, Now());
    if (code != kErrNone)
        return Fail("DeleteObjects", code);
    int left = 0;
    {
        LockedTable objects(d, kTableObjects);
        left = objects.Count();
    }

    code = FlushStore(store, FALSE);
    HFILE file = 0;
    LONG length = 0;
    if (code == kErrNone && GetStoreFileHandle(store, &file) == kErrNone) {
        LONG here = SeamSeek(file, 0, FILE_CURRENT);
        length = SeamSeek(file, 0, FILE_END);
        SeamSeek(file, here, FILE_BEGIN);
    }

    std::printf("created %d rectangles, each in its own undo step\n", kObjects);
    std::printf("  per creation: %.1f us (slowest %.1f ms)\n", createTotal * 1e6 / kObjects, slowest * 1e3);
    std::printf("  total: %.3f s\n", createTotal);
    std::printf("  each of the last %d: %.3f ms\n", kLastCreations, lastEach * 1e3);
    std::printf("deleted every second one in one call: %.3f s, %d objects left\n", deleteTotal, left);
    std::printf("store file after flush: %ld bytes\n", static_cast<long>(length));

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
