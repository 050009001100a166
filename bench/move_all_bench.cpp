// Moving everything of the program benchmark's 16,000-object grid (labelled
// boxes, texts, hooked connectors, lines) in-process, phase by phase:
// collecting what moves, the move with its undo step and link updates, an
// arrow-key nudge, and the undo and redo of the move.
#include <windows.h>

#include <cstdio>

#include "bench/bench_document.h"
#include "documents/page_layout.h"
#include "objects/linked_objects.h"
#include "objects/move_objects.h"
#include "objects/view_record.h"
#include "view/arrange_selection.h"

namespace {

const int kStep = 60;

void SelectAll(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i)
        ObjectAt(objects.Get(), i)->stateFlags |= kStateSelected;
    drawing->selectedCount = objects.Count();
    drawing->primarySelected = 0;
}

double Milliseconds(LARGE_INTEGER from)
{
    return Seconds(from, Now()) * 1000.0;
}

} // namespace

int main()
{
    Require("starting the model", StartBenchModel(true));
    BenchDocument doc;
    if (!doc.Open(1))
        return Fail("opening the document", kErrNoMemory);
    WriteViewField(doc.record, kViewDrawingWidth, kFreeDrawingSide);
    WriteViewField(doc.record, kViewDrawingHeight, kFreeDrawingSide);
    LARGE_INTEGER start = Now();
    if (!BuildGridDrawing(&doc, SixteenThousandPlan()))
        return Fail("making the drawing", kErrNoMemory);
    std::printf("drawing of %d objects made in %.1f s\n", DrawingObjectCount(doc.Drawing()), Seconds(start, Now()));
    SelectAll(doc.Drawing());

    start = Now();
    HGLOBAL list = nullptr;
    RECT united;
    Require("collecting", CollectObjectsToMove(doc.Drawing(), -1, 1, 1, 0, &list, &united));
    std::printf("collect everything that moves: %8.1f ms (%d objects)\n", Milliseconds(start), ListCount(list));
    start = Now();
    Require("moving", MoveObjects(doc.view, kStep, kStep, list, 0));
    std::printf("move of everything:            %8.1f ms\n", Milliseconds(start));
    {
        LockedTable objects(doc.Drawing(), kTableObjects);
        FreeLinkedObjects(list, objects.Get());
    }
    start = Now();
    Require("undo", SwapDocumentUndo(doc.view, 1));
    std::printf("undo of the move:              %8.1f ms\n", Milliseconds(start));
    start = Now();
    Require("redo", SwapDocumentUndo(doc.view, 1));
    std::printf("redo of the move:              %8.1f ms\n", Milliseconds(start));
    start = Now();
    Require("nudge", NudgeSelection(doc.view, doc.record, doc.Drawing(), VK_RIGHT, false));
    std::printf("arrow-key nudge of everything: %8.1f ms\n", Milliseconds(start));
    doc.Close();
    return 0;
}
