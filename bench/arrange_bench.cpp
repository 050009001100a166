// The arrange commands in a full drawing: Select All with Group, and Group,
// Align and Duplicate of 1,000 selected shapes, each command and its Undo
// timed. The drawing holds 15,000 shapes so that the copies of 1,000 reach the
// 16,000-object limit exactly.
#include <windows.h>

#include <cstdio>

#include "bench_drawing.h"
#include "objects/document_undo.h"
#include "objects/drawing_tables.h"
#include "objects/object_create.h"
#include "view/edit_operations.h"
#include "view/selection_changes.h"

namespace {

const int kObjects = 15000;
const int kSelected = 1000;
const int kColumns = 150;
const int kSpacing = 200;
const int kSide = 150;

ErrorCode FillDrawing(HWND view)
{
    ErrorCode code = BeginDocumentUndo(view, kUndoStepDrawing);
    for (int i = 0; i < kObjects && code == kErrNone; ++i) {
        const int x = 100 + (i % kColumns) * kSpacing;
        const int y = 100 + (i / kColumns) * kSpacing;
        RECT frame = {x, y, x + kSide, y + kSide};
        code = CreateObject(view, kKindShape, &frame, 2, 0, 0, 0, 1, 0, 0);
    }
    ClearDocumentUndo(view);
    return code;
}

// The first `count` objects selected, the last of them the primary.
void SelectFirst(DrawingRecord* drawing, int count)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        object->stateFlags = i < count ? object->stateFlags | kStateSelected : object->stateFlags & ~kStateSelected;
    }
    drawing->selectedCount = count;
    drawing->primarySelected = count - 1;
}

void Timed(HWND view, const char* name, int operation, LPARAM argument)
{
    LARGE_INTEGER start = Now();
    Require(name, DoEditOperation(view, operation, argument, nullptr));
    const double command = Seconds(start, Now());
    start = Now();
    Require("undo", SwapDocumentUndo(view, 1));
    std::printf("%-34s %.4f s, its undo %.4f s\n", name, command, Seconds(start, Now()));
}

} // namespace

int main()
{
    BenchDrawing bench;
    ErrorCode code = OpenBenchDrawing("ARB", &bench);
    if (code != kErrNone)
        return Fail("opening the drawing", code);
    void* record = GlobalLock(bench.viewRecord);
    WriteViewField(record, kViewDrawingWidth, 32000);
    WriteViewField(record, kViewDrawingHeight, 32000);
    GlobalUnlock(bench.viewRecord);
    LockedDrawing(bench.viewRecord)->flags &= ~kDrawingSnap;

    LARGE_INTEGER start = Now();
    code = FillDrawing(bench.view);
    if (code != kErrNone)
        return Fail("filling the drawing", code);
    std::printf("drawing of %d objects made in %.3f s\n", kObjects, Seconds(start, Now()));

    start = Now();
    SelectObjectsInRect(bench.view, nullptr);
    std::printf("%-34s %.4f s\n", "Select All", Seconds(start, Now()));
    Timed(bench.view, "Group of everything", kEditGroup, 0);

    SelectFirst(LockedDrawing(bench.viewRecord), kSelected);
    Timed(bench.view, "Group of 1,000", kEditGroup, 0);
    SelectFirst(LockedDrawing(bench.viewRecord), kSelected);
    Timed(bench.view, "Align Lefts of 1,000", kEditAlign, 0);
    SelectFirst(LockedDrawing(bench.viewRecord), kSelected);
    Timed(bench.view, "Duplicate of 1,000", kEditDuplicate, 0);
    return 0;
}
