#include "objects/shape_to_line.h"

#include "common/info_dialog.h"
#include "common/io_seam.h"
#include "common/rect_helpers.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/freeform_outline.h"
#include "objects/kind_messages.h"
#include "objects/object_create.h"
#include "objects/object_delete.h"
#include "objects/object_kind_table.h"
#include "common/rect_handle_point.h"

namespace {

const int kHelpTopic = 206;
const int32_t kConvertible = 0x400;
const int32_t kHoldsPicture = 0x100;
// A shape holding a picture is refused with its notice, not an error box.
constexpr ErrorCode kPictureRefused{-1};

int FirstSelected(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        if (ObjectAt(objects.Get(), i)->stateFlags & kStateSelected)
            return i;
    }
    return -1;
}

// One line per piece, from the previous piece's point to its own.
void CreatePieces(HWND view, DrawingRecord* drawing, HGLOBAL block, const RECT& traced)
{
    auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
    if (!bytes)
        return;
    SIZE_T room = (GlobalSize(block) - sizeof(FreeformHead)) / sizeof(FreeformVertex);
    int n = reinterpret_cast<FreeformHead*>(bytes)->vertexCount;
    if (n < 0 || static_cast<SIZE_T>(n) > room)
        n = static_cast<int>(room);
    for (int k = 1; k < n; ++k) {
        const FreeformVertex* from = FreeformVertexAt(bytes, k - 1);
        const FreeformVertex* to = FreeformVertexAt(bytes, k);
        RECT r;
        SetRectFromPoints(&r, from->x, from->y, to->x, to->y);
        int side = GetSideCodeOfPoint(&r, from->x, from->y);
        OffsetRect(&r, traced.left, traced.top);
        int before;
        {
            LockedTable objects(drawing, kTableObjects);
            before = objects.Count();
        }
        ErrorCode code = CreateObject(view, to->kind, &r, to->segmentWord, side, 0, 1, 1, 0, 0);
        LockedTable objects(drawing, kTableObjects);
        if (code != kErrNone)
            break;
        if (objects.Count() == before)
            continue;   // a piece too short to make a line
        CallObjectKind(nullptr, drawing, objects.Get(), objects.Count() - 1, kMsgTakeLineType, k, 0,
                       reinterpret_cast<INT_PTR>(bytes));
    }
    GlobalUnlock(block);
}

} // namespace

ErrorCode ShapeToLines(HWND view, DrawingRecord* drawing, int dryRun)
{
    if (!drawing)
        return kErrNotDone;
    int index = FirstSelected(drawing);
    if (index < 0)
        return kErrNotDone;
    int32_t bits;
    {
        LockedTable objects(drawing, kTableObjects);
        bits = CallObjectKind(nullptr, drawing, objects.Get(), index, kMsgCommandBits);
    }
    if (!(bits & kConvertible))
        return kErrNotDone;
    if (bits & kHoldsPicture) {
        if (dryRun)
            ShowInfoDialog("INFO_SHAPETOLINE_WRONG", kHelpTopic);
        return kPictureRefused;
    }
    if (dryRun)
        return kErrNone;

    HGLOBAL block = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 1);
    if (!block)
        return kErrNoMemory;
    RECT traced = {0, 0, 0, 0};
    ErrorCode result;
    {
        LockedTable objects(drawing, kTableObjects);
        result = CallObjectKindCode(nullptr, drawing, objects.Get(), index, kMsgShapeToLinePieces, 0,
                                reinterpret_cast<INT_PTR>(&block), reinterpret_cast<INT_PTR>(&traced));
        if (result == 0)
            InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), index)->bounds);
    }
    ErrorCode code = result != 0 ? result : DeleteObjects(drawing, 1, -1);
    if (code != kErrNone) {
        GlobalFree(block);
        return code;
    }
    int first;
    {
        LockedTable objects(drawing, kTableObjects);
        first = objects.Count();
    }
    CreatePieces(view, drawing, block, traced);
    GlobalFree(block);

    LockedTable objects(drawing, kTableObjects);
    int count = objects.Count();
    for (int i = 0; i < count; ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (i >= first)
            object->stateFlags |= kStateSelected;
        else
            object->stateFlags &= ~kStateSelected;
    }
    drawing->selectedCount = count - first;
    drawing->primarySelected = count > first ? first : -1;
    return kErrNone;
}

int ShapeToLineCommand(HWND view, DrawingRecord* drawing)
{
    if (!drawing || drawing->selectedCount != 1) {
        ShowInfoDialog("INFO_SHAPETOLINE_MANY", kHelpTopic);
        return 0;
    }
    ErrorCode result = ShapeToLines(view, drawing, 1);
    if (result == kPictureRefused)
        return 0;
    if (result != 0) {
        ShowInfoDialog("INFO_SHAPETOLINE_WRONG", kHelpTopic);
        return 0;
    }
    // With nobody to ask (the main window hidden) the command runs; Cancel
    // in the notice stops it.
    return !NoticesCanShow() || ShowInfoDialog("INFO_SHAPETOLINE_OK", kHelpTopic) == IDOK;
}
