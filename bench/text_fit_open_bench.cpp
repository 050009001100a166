// Opening a drawing whose texts no longer fit their shapes: 8,000 labelled
// boxes written at a size too small for their text and 3,000 connectors
// hooked at both ends (6,000 hooked ends). On open every box grows to its
// text and every connector follows. Prints the open time and how many hooked
// ends sit on their hook points afterwards.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/bench_document.h"
#include "documents/drawing_stream.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"

namespace {

const int kBoxes = 8000;
const int kConnectors = kMaxLinks / 2;

GridPlan TextFitPlan()
{
    GridPlan plan;
    plan.boxes = kBoxes;
    plan.connectors = kConnectors;
    return plan;
}

struct EndCount {
    int hooked = 0;
    int onHook = 0;
};

EndCount CountEnds(DrawingRecord* drawing)
{
    EndCount count;
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        const DrawingObject line = *ObjectAt(objects.Get(), i);
        if (line.kind != kKindConnector)
            continue;
        for (int slot = 0; slot < SlotsInUse(&line); ++slot) {
            const LinkSlot& held = line.links[slot];
            const int target = FindObjectIndex(objects.Get(), held.targetId, held.targetHint);
            if (target < 0)
                continue;
            POINT end = {0, 0};
            POINT hook = {held.x, held.y};
            int otherEnd = 0;
            CallObjectKind(nullptr, drawing, objects.Get(), i, kMsgAnchorPoint, held.connectCode,
                           reinterpret_cast<INT_PTR>(&otherEnd), reinterpret_cast<INT_PTR>(&end));
            CallObjectKind(nullptr, drawing, objects.Get(), target, kMsgMapBoxPoints, 1, held.connectCode,
                           reinterpret_cast<INT_PTR>(&hook));
            ++count.hooked;
            if (end.x == hook.x && end.y == hook.y)
                ++count.onHook;
        }
    }
    return count;
}

} // namespace

int main()
{
    const ErrorCode started = StartBenchModel(true);
    if (started != kErrNone) {
        std::printf("starting the model failed: %d\n", started.value);
        return 1;
    }
    BenchDocument source;
    BenchDocument copy;
    const LARGE_INTEGER buildStart = Now();
    if (!source.Open(1) || !copy.Open(2) || !BuildGridDrawing(&source, TextFitPlan())) {
        std::printf("setting up the drawing failed\n");
        return 1;
    }
    const double buildSeconds = Seconds(buildStart, Now());
    const EndCount written = CountEnds(source.Drawing());
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "text_fit_open_bench.tyr";
    DeleteFileA(path.c_str());
    ErrorCode code = WriteDrawingFile(path.c_str(), nullptr, nullptr, source.record);
    if (code != kErrNone) {
        std::printf("write failed: %d\n", code.value);
        return 1;
    }

    const LARGE_INTEGER readStart = Now();
    int older = 0;
    code = ReadDrawingFile(HFILE_ERROR, path.c_str(), nullptr, 0, copy.view, copy.record, &older, 0);
    const double readSeconds = Seconds(readStart, Now());
    if (code != kErrNone) {
        std::printf("read failed: %d\n", code.value);
        return 1;
    }
    const EndCount opened = CountEnds(copy.Drawing());
    RECT grown = {};
    {
        LockedTable objects(copy.Drawing(), kTableObjects);
        grown = ObjectAt(objects.Get(), 0)->frame;
    }
    const RECT first = GridBoxFrame(TextFitPlan(), 0);
    std::printf("text fit on open: %d boxes, %d connectors, built in %.2f s\n", kBoxes, kConnectors, buildSeconds);
    std::printf("  first box %ld x %ld written, %ld x %ld opened\n", first.right - first.left,
                first.bottom - first.top, grown.right - grown.left, grown.bottom - grown.top);
    std::printf("  open   %8.1f ms\n", readSeconds * 1000.0);
    std::printf("  hooked ends on their hook points: %d of %d written, %d of %d opened\n", written.onHook,
                written.hooked, opened.onHook, opened.hooked);
    DeleteFileA(path.c_str());
    source.Close();
    copy.Close();
    TermRecordStore();
    TermObjectKinds();
    return 0;
}
