#include "objects/resize_object.h"

#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/edit_step.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/update_links.h"
#include "store/record_store.h"

namespace {

const int kUndoChangeShape = 42;

ErrorCode MarkDrawingAndObjects(HGLOBAL drawingHandle, DrawingRecord* drawing)
{
    ErrorCode code = drawingHandle ? MarkRecordChanged(drawingHandle) : kErrNone;
    if (code == kErrNone)
        code = MarkDrawingTableChanged(drawing, kTableObjects);
    return code;
}

} // namespace

void MarkChangedObjectLinks(DrawingRecord* drawing, int index)
{
    LockedTable objects(drawing, kTableObjects);
    if (objects.Get() && index >= 0 && index < objects.Count())
        MarkObjectLinks(drawing, objects.Get(), index, kLinkTargetMoved);
}

ErrorCode ResizeObjectInDrawing(DrawingRecord* drawing, int index, RECT* rect, int handleCode, int option)
{
    ErrorCode code = MarkDrawingTableChanged(drawing, kTableObjects);
    if (code != kErrNone)
        return code;
    {
        LockedTable objects(drawing, kTableObjects);
        if (!objects.Get() || index < 0 || index >= objects.Count())
            return kErrNone;
        InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), index)->bounds);
        if (handleCode)
            code = CallObjectKindCode(nullptr, drawing, objects.Get(), index, kMsgResizeByHandle, handleCode, option,
                                  reinterpret_cast<INT_PTR>(rect));
        else
            code = CallObjectKindCode(nullptr, drawing, objects.Get(), index, kMsgResizeToRect, 0, option,
                                  reinterpret_cast<INT_PTR>(rect));
        objects.Refresh();
        InvalidateDrawingRect(drawing, &ObjectAt(objects.Get(), index)->bounds);
    }
    if (code == kErrNone)
        MarkChangedObjectLinks(drawing, index);
    return code;
}

ErrorCode ResizeObject(HWND view, int index, RECT* rect, int handleCode, int option, int insideStep)
{
    EditStep step;
    ErrorCode code = OpenEditStep(view, 0, &step);
    if (code == kErrNone && !step.drawing)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = MarkDrawingAndObjects(step.drawingHandle, step.drawing);
    if (code == kErrNone)
        code = ResizeObjectInDrawing(step.drawing, index, rect, handleCode, option);
    if (code == kErrNone && !insideStep)
        code = UpdateLinks(step.drawing);
    if (insideStep) {
        ReleaseEditStep(&step);
        return code;
    }
    CloseEditStep(&step, code, 0);
    return code;
}

ErrorCode ChangeObjectShape(int message, void* viewRecord, int index, int value, POINT* point)
{
    HGLOBAL drawingHandle = viewRecord ? GetViewDrawingHandle(viewRecord) : nullptr;
    if (!drawingHandle)
        return kErrNoMemory;
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(drawingHandle));
    HWND view = DrawingViewWindow(drawing);
    GlobalUnlock(drawingHandle);

    EditStep step;
    ErrorCode code = OpenEditStep(view, kUndoChangeShape, &step);
    if (code == kErrNone && !step.drawing)
        code = kErrNoMemory;
    if (code == kErrNone)
        code = MarkDrawingAndObjects(step.drawingHandle, step.drawing);
    if (code == kErrNone) {
        LockedTable objects(step.drawing, kTableObjects);
        if (objects.Get() && index >= 0 && index < objects.Count()) {
            InvalidateDrawingRect(step.drawing, &ObjectAt(objects.Get(), index)->bounds);
            code = CallObjectKindCode(nullptr, step.drawing, objects.Get(), index, message, value, 0,
                                  reinterpret_cast<INT_PTR>(point));
            objects.Refresh();
            InvalidateDrawingRect(step.drawing, &ObjectAt(objects.Get(), index)->bounds);
        }
    }
    if (code == kErrNone) {
        MarkChangedObjectLinks(step.drawing, index);
        code = UpdateLinks(step.drawing);
    }
    CloseEditStep(&step, code, 0);
    return code;
}
