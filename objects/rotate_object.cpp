#include "objects/rotate_object.h"

#include <windows.h>

#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/edit_step.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/resize_object.h"
#include "objects/update_links.h"
#include "store/record_store.h"

namespace {

const int kUndoRotate = 58;

// The label attached to an object, or -1.
int AttachedLabel(void* objects, int index)
{
    const DrawingObject* object = ObjectAt(objects, index);
    if (object->labelPartnerId == kNoObjectId || (object->stateFlags & kStateAttached))
        return -1;
    int label = FindObjectIndex(objects, object->labelPartnerId, object->labelPartnerHint);
    if (label < 0 || label == index || !(ObjectAt(objects, label)->stateFlags & kStateAttached))
        return -1;
    return label;
}

} // namespace

ErrorCode PassAngleToLabel(DrawingRecord* drawing, int index, int angle)
{
    LockedTable objects(drawing, kTableObjects);
    if (!objects.Get())
        return kErrNoMemory;
    int label = AttachedLabel(objects.Get(), index);
    if (label < 0)
        return kErrNone;
    InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), label)->bounds);
    ErrorCode code = CallObjectKindCode(nullptr, drawing, objects.Get(), label, kMsgSetRotation, angle);
    objects.Refresh();
    InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), label)->bounds);
    return code;
}

ErrorCode RotateObject(void* viewRecord, int index, int handleCode, int x, int y)
{
    HGLOBAL drawingHandle = viewRecord ? GetViewDrawingHandle(viewRecord) : nullptr;
    if (!drawingHandle)
        return kErrNoMemory;
    HWND view = DrawingViewWindow(static_cast<DrawingRecord*>(GlobalLock(drawingHandle)));
    GlobalUnlock(drawingHandle);

    EditStep step;
    ErrorCode code = OpenEditStep(view, kUndoRotate, &step);
    if (code == kErrNone && !step.drawing)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = MarkRecordChanged(step.drawingHandle);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step.drawing, kTableObjects);
    int angle = 0;
    if (code == kErrNone) {
        LockedTable objects(step.drawing, kTableObjects);
        if (!objects.Get() || index < 0 || index >= objects.Count()) {
            code = kErrNoMemory;
        } else {
            POINT target = {x, y};
            InvalidateDrawingRect(step.drawing, &ObjectAt(objects.Get(), index)->bounds);
            code = CallObjectKindCode(nullptr, step.drawing, objects.Get(), index, kMsgRotateToPoint, handleCode, 0,
                                  reinterpret_cast<INT_PTR>(&target));
            objects.Refresh();
            InvalidateDrawingRect(step.drawing, &ObjectAt(objects.Get(), index)->bounds);
            if (code == kErrNone) {
                // The kind may correct the angle it was given.
                angle = ObjectAt(objects.Get(), index)->rotation;
                CallObjectKind(nullptr, step.drawing, objects.Get(), index, kMsgLineAngle, 0, 0,
                               reinterpret_cast<INT_PTR>(&angle));
            }
        }
    }
    if (code == kErrNone)
        code = PassAngleToLabel(step.drawing, index, angle);
    if (code == kErrNone) {
        MarkChangedObjectLinks(step.drawing, index);
        code = UpdateLinks(step.drawing);
    }
    CloseEditStep(&step, code, 0);
    return code;
}
