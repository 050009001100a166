#include "objects/object_offset.h"

#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/view_record_word.h"

int TransformRefused = 0;

ErrorCode OffsetObject(DrawingRecord* drawing, void* objectTable, int index, int dx, int dy)
{
    DrawingObject* object = ObjectAt(objectTable, index);
    if (object->bounds.right + dx >= 32767 || object->bounds.bottom + dy >= 32767)
        return kErrOutsideDrawing;
    InvalidateDrawingRect(drawing, &object->bounds);
    OffsetRect(&object->bounds, dx, dy);
    OffsetRect(&object->frame, dx, dy);
    OffsetRect(&object->inner, dx, dy);
    OffsetRect(&object->textFrame, dx, dy);
    CallObjectKind(nullptr, drawing, objectTable, index, kMsgOffset, dx, dy, 0);
    object = ObjectAt(objectTable, index);
    InvalidateDrawingRect(drawing, &object->bounds);
    MarkLinksOf(drawing, object->objectId, kLinkTargetMoved, object->groupKey, object->groupIndex);
    return kErrNone;
}

ErrorCode KeepObjectInsideDrawing(void* viewRecord, DrawingRecord* drawing, void* objectTable, int index)
{
    RECT box = ObjectAt(objectTable, index)->frame;
    CallObjectKind(nullptr, drawing, objectTable, index, kMsgLayoutRect, 1, 1, reinterpret_cast<INT_PTR>(&box));
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    if (width < 0 || height < 0 || width > drawing->width || height > drawing->height)
        return kErrOutsideDrawing;
    int dx = 0;
    int dy = 0;
    if (box.right > drawing->width)
        dx = drawing->width - box.right;
    if (box.left < 0)
        dx = -box.left;
    if (box.bottom > drawing->height)
        dy = drawing->height - box.bottom;
    if (box.top < 0)
        dy = -box.top;
    if (dx == 0 && dy == 0)
        return kErrNone;
    ErrorCode code = OffsetObject(drawing, objectTable, index, dx, dy);
    if (code != kErrNone)
        return code;
    DrawingObject* object = ObjectAt(objectTable, index);
    if (object->linkCount == 1) {
        int target = FindObjectIndex(objectTable, object->links[0].targetId, object->links[0].targetHint);
        if (target >= 0) {
            DrawingObject* host = ObjectAt(objectTable, target);
            MarkLinksOf(drawing, host->objectId, kLinkTargetMoved, host->groupKey, host->groupIndex);
        }
    }
    if (viewRecord)
        WriteViewField(viewRecord, kViewFlags,
                       static_cast<int32_t>(static_cast<uint32_t>(ReadViewField(viewRecord, kViewFlags)) |
                                            kViewRepaintBuffered));
    return kErrNone;
}

ErrorCode KeepInsideThroughView(DrawingRecord* drawing, void* objectTable, int index)
{
    HGLOBAL viewHandle = GetViewRecordHandle(DrawingViewWindow(drawing));
    if (!viewHandle)
        return kErrNone;
    void* viewRecord = GlobalLock(viewHandle);
    ErrorCode code = KeepObjectInsideDrawing(viewRecord, drawing, objectTable, index);
    GlobalUnlock(viewHandle);
    return code;
}
