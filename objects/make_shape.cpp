#include "objects/make_shape.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "common/info_dialog.h"
#include "common/io_seam.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/freeform_outline.h"
#include "objects/kind_messages.h"
#include "objects/object_create.h"
#include "objects/object_delete.h"
#include "objects/object_kind_table.h"
#include "objects/shape_types.h"
#include "store/record_store.h"

namespace {

const int kHelpTopic = 206;
// Room for the codes of the longest line: a connector in vertex form has six
// points, one more than the five an arc-cornered one gives.
const int kCodesPerLine = 8;
const int kPointRoom = 64;

struct LineReader {
    DrawingRecord* drawing;
    HGLOBAL codes;
    POINT points[kPointRoom];
    unsigned char code[kCodesPerLine];

    // The line's points and codes; 0 when it is not a joinable line.
    int Read(int index, RECT* bounds)
    {
        if (void* bytes = GlobalLock(codes)) {
            memset(bytes, 0, kCodesPerLine);
            GlobalUnlock(codes);
        }
        int second = 0;
        LockedTable objects(drawing, kTableObjects);
        int n = CallObjectKind(reinterpret_cast<HDC>(codes), bounds, objects.Get(), index, kMsgMakeShapePoints, 0,
                               reinterpret_cast<INT_PTR>(&second), reinterpret_cast<INT_PTR>(points));
        if (n < 0 || n > kPointRoom)
            n = 0;
        if (const void* bytes = GlobalLock(codes)) {
            memcpy(code, bytes, kCodesPerLine);
            GlobalUnlock(codes);
        }
        return n;
    }
};

struct Chain {
    unsigned char* block;
    int room;
    FreeformHead* Head() { return reinterpret_cast<FreeformHead*>(block); }
    FreeformVertex* At(int i) { return FreeformVertexAt(block, i); }
    int Count() { return Head()->vertexCount; }
    void Append(DrawingRecord* drawing, int lineIndex, unsigned char code, POINT p)
    {
        if (Count() >= room)
            return;
        FreeformVertex* v = At(Count());
        int32_t words[5] = {0, 0, 0, 0, 0};
        {
            LockedTable objects(drawing, kTableObjects);
            CallObjectKind(nullptr, drawing, objects.Get(), lineIndex, kMsgMakeShapePieces, code, 0,
                           reinterpret_cast<INT_PTR>(words));
        }
        memcpy(v, words, sizeof(words));
        v->x = p.x;
        v->y = p.y;
        Head()->vertexCount += 1;
    }
};

unsigned char CodeAt(const std::vector<unsigned char>& codes, size_t line, int point)
{
    return point < kCodesPerLine ? codes[line * kCodesPerLine + point] : 0;
}

// Builds the chain; 0, or -1 when the lines do not close into one.
int BuildChain(DrawingRecord* drawing, LineReader& reader, const std::vector<int>& lines,
               const std::vector<unsigned char>& codes, Chain& chain)
{
    std::vector<bool> used(lines.size(), false);
    int m = reader.Read(lines[0], nullptr);
    for (int k = 0; k < m; ++k)
        chain.Append(drawing, lines[0], CodeAt(codes, 0, k), reader.points[k]);
    used[0] = true;
    size_t remaining = lines.size() - 1;
    while (remaining > 0) {
        bool joined = false;
        for (size_t j = 1; j < lines.size() && !joined; ++j) {
            if (used[j])
                continue;
            m = reader.Read(lines[j], nullptr);
            if (m < 2)
                continue;
            FreeformVertex* last = chain.At(chain.Count() - 1);
            POINT* pts = reader.points;
            if (EndsMeet(last->x, last->y, pts[0].x, pts[0].y)) {
                JoinChainEnd(chain.block, &pts[0], pts[1].x, pts[1].y);
                for (int k = 1; k < m; ++k)
                    chain.Append(drawing, lines[j], CodeAt(codes, j, k), pts[k]);
            } else if (EndsMeet(last->x, last->y, pts[m - 1].x, pts[m - 1].y)) {
                JoinChainEnd(chain.block, &pts[m - 1], pts[m - 2].x, pts[m - 2].y);
                // Walked backwards, each segment keeps the code of its far point.
                for (int k = m - 2; k >= 0; --k)
                    chain.Append(drawing, lines[j], CodeAt(codes, j, k + 1), pts[k]);
            } else {
                continue;
            }
            used[j] = true;
            --remaining;
            joined = true;
        }
        if (!joined)
            return -1;
    }
    int count = chain.Count();
    FreeformVertex* last = chain.At(count - 1);
    FreeformVertex* v0 = chain.At(0);
    if (count < 2 || !EndsMeet(last->x, last->y, v0->x, v0->y))
        return -1;
    POINT start = {v0->x, v0->y};
    JoinChainEnd(chain.block, &start, chain.At(1)->x, chain.At(1)->y);
    v0->x = start.x;
    v0->y = start.y;
    return 0;
}

} // namespace

int EndsMeet(int x1, int y1, int x2, int y2)
{
    return (std::abs(x1 - x2) < kEndsMeetTolerance && std::abs(y1 - y2) < kEndsMeetTolerance) ? 1 : 0;
}

void JoinChainEnd(void* outline, POINT* point, int nx, int ny)
{
    auto* head = static_cast<FreeformHead*>(outline);
    int count = head->vertexCount;
    if (count < 1)
        return;
    FreeformVertex* V = FreeformVertexAt(outline, count - 1);
    const FreeformVertex* U = count >= 2 ? FreeformVertexAt(outline, count - 2) : V;
    int chainDir = V->x == U->x ? 2 : (V->y == U->y ? 1 : 0);
    if (count < 2)
        chainDir = 0;
    int lineDir = point->x == nx ? 2 : (point->y == ny ? 1 : 0);
    if (V->x != point->x) {
        if (lineDir == 2)
            V->x = point->x;
        else if (chainDir == 2)
            point->x = V->x;
    }
    if (V->y != point->y) {
        if (lineDir == 1)
            V->y = point->y;
        else if (chainDir == 1)
            point->y = V->y;
    }
}

ErrorCode MakeShapeFromLines(DrawingRecord* drawing, int dryRun)
{
    if (!drawing || drawing->selectedCount < 2)
        return kErrNotDone;
    HGLOBAL codeBlock = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kCodesPerLine);
    if (!codeBlock)
        return kErrNoMemory;
    LineReader reader{drawing, codeBlock, {}, {}};
    std::vector<int> lines;
    std::vector<unsigned char> codes;
    RECT bounds = {32767, 32767, 0, 0};
    int n = 1;
    int objectCount;
    {
        LockedTable objects(drawing, kTableObjects);
        objectCount = objects.Count();
    }
    for (int i = 0; i < objectCount && static_cast<int>(lines.size()) < drawing->selectedCount; ++i) {
        {
            LockedTable objects(drawing, kTableObjects);
            if (!(ObjectAt(objects.Get(), i)->stateFlags & kStateSelected))
                continue;
        }
        int m = reader.Read(i, &bounds);
        if (m == 0) {
            GlobalFree(codeBlock);
            return kErrNotDone;
        }
        lines.push_back(i);
        codes.insert(codes.end(), reader.code, reader.code + kCodesPerLine);
        n += m - 1;
    }
    if (n < 2 || lines.size() < 2) {
        GlobalFree(codeBlock);
        return kErrNotDone;
    }

    DWORD bytes = static_cast<DWORD>(sizeof(FreeformHead) + sizeof(FreeformVertex) * n);
    HGLOBAL block = nullptr;
    RecordHandle record = nullptr;
    ErrorCode code = kErrNone;
    if (dryRun) {
        block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (!block)
            code = kErrNoMemory;
    } else {
        short id = 0;
        code = FindFreeId(drawing->storeSlot, kFreeformGroup, &id);
        if (code == kErrNone)
            code = CreateRecord(drawing->storeSlot, kFreeformGroup, id, bytes, &record);
        block = record;
    }
    if (code != kErrNone) {
        GlobalFree(codeBlock);
        return code;
    }
    Chain chain{static_cast<unsigned char*>(GlobalLock(block)), n};
    if (!chain.block) {
        GlobalFree(codeBlock);
        if (dryRun)
            GlobalFree(block);
        return kErrNoMemory;
    }
    chain.Head()->vertexCount = 0;
    int result = BuildChain(drawing, reader, lines, codes, chain);

    {
        LockedTable objects(drawing, kTableObjects);
        for (int index : lines)
            InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), index)->bounds);
    }
    if (result == 0 && !dryRun) {
        for (int i = 0; i < chain.Count(); ++i) {
            chain.At(i)->x -= bounds.left;
            chain.At(i)->y -= bounds.top;
        }
        chain.Head()->width = bounds.right - bounds.left;
        chain.Head()->height = bounds.bottom - bounds.top;
    }
    GlobalUnlock(block);
    if (!dryRun)
        DiscardError(SetRecordDirty(record), "the record was found just now: its handle is good");
    GlobalFree(codeBlock);
    if (dryRun) {
        GlobalFree(block);
        return ErrorCode{result};
    }
    if (result != 0) {
        ReleaseRecord(record);
        return ErrorCode{result};
    }

    code = DeleteObjects(drawing, 1, -1);
    if (code == kErrNone)
        code = CreateObject(DrawingViewWindow(drawing), kKindShape, &bounds, kShapeFreeform, 0,
                            reinterpret_cast<INT_PTR>(record), 1, 1, 0, 1);
    ReleaseRecord(record);
    if (code != kErrNone)
        return code;
    LockedTable objects(drawing, kTableObjects);
    int last = objects.Count() - 1;
    if (last >= 0) {
        for (int i = 0; i < last; ++i)
            ObjectAt(objects.Get(), i)->stateFlags &= ~kStateSelected;
        ObjectAt(objects.Get(), last)->stateFlags |= kStateSelected;
        drawing->primarySelected = last;
        drawing->selectedCount = 1;
    }
    return kErrNone;
}

int MakeShapeCommand(DrawingRecord* drawing)
{
    if (MakeShapeFromLines(drawing, 1) != 0) {
        ShowInfoDialog("INFO_MAKESHAPE", kHelpTopic);
        return 0;
    }
    // With nobody to ask (the main window hidden) the command runs; Cancel
    // in the notice stops it.
    return !NoticesCanShow() || ShowInfoDialog("INFO_MAKESHAPEOK", kHelpTopic) == IDOK;
}
