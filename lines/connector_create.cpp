#include "lines/connector_create.h"

#include "common/rect_helpers.h"
#include "objects/view_record.h"
#include "lines/connector_shape.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/object_create.h"
#include "objects/object_kind_table.h"
#include "objects/selection_geometry.h"
#include "objects/update_links.h"
#include "objects/view_record_word.h"

namespace {

DrawingRecord* ViewDrawing(HWND view)
{
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    HGLOBAL drawingHandle = viewRecord ? GetViewDrawingHandle(viewRecord) : nullptr;
    if (viewHandle)
        GlobalUnlock(viewHandle);
    if (!drawingHandle)
        return nullptr;
    // The drawing record stays where it is while the view holds it.
    void* drawing = GlobalLock(drawingHandle);
    GlobalUnlock(drawingHandle);
    return static_cast<DrawingRecord*>(drawing);
}

POINT EndPoint(DrawingRecord* drawing, const ConnectorEnd& end)
{
    if (end.host < 0)
        return end.point;
    LockedTable objects(drawing, kTableObjects);
    POINT p = end.box;
    if (objects.Get() && end.host < objects.Count())
        CallObjectKind(nullptr, drawing, objects.Get(), end.host, kMsgMapBoxPoints, 1, 0,
                       reinterpret_cast<INT_PTR>(&p));
    return p;
}

} // namespace

ErrorCode CreateConnector(HWND view, const ConnectorEnd& from, const ConnectorEnd& to, int cornerStyle,
                          int insideStep, int* created)
{
    if (created)
        *created = -1;
    DrawingRecord* drawing = ViewDrawing(view);
    if (!drawing)
        return kErrNoMemory;
    POINT a = EndPoint(drawing, from);
    POINT b = EndPoint(drawing, to);
    RECT frame;
    SetRectFromPoints(&frame, a.x, a.y, b.x, b.y);
    // A connector needs some room: a flat pair of ends still makes a box.
    if (frame.right - frame.left < 24 && frame.bottom - frame.top < 24)
        frame.right = frame.left + 24;
    int corner = SideCodeOnRect(&frame, a.x, a.y);
    if (corner > 4)
        corner = 1;
    int before;
    {
        LockedTable objects(drawing, kTableObjects);
        before = objects.Count();
    }
    ConnectorTracking.startHost = from.host;
    ConnectorTracking.endHost = to.host;
    ConnectorTracking.startPoint = from.box;
    ConnectorTracking.endPoint = to.box;
    ErrorCode code = CreateObject(view, kKindConnector, &frame, cornerStyle, corner, 0, 0, insideStep, 0, 0);
    ConnectorTracking = ConnectorTrackHosts();
    drawing = ViewDrawing(view);
    int index;
    {
        LockedTable objects(drawing, kTableObjects);
        index = objects.Count() - 1;
        if (code != kErrNone || objects.Count() == before)
            return code;
    }
    // The start is the left (upper) end.
    bool fromIsStart = a.x < b.x || (a.x == b.x && a.y <= b.y);
    if (from.host >= 0)
        code = ConnectSlot(drawing, index, -1, from.host, fromIsStart ? 1 : 2, from.box.x, from.box.y);
    if (code == kErrNone && to.host >= 0)
        code = ConnectSlot(drawing, index, -1, to.host, fromIsStart ? 2 : 1, to.box.x, to.box.y);
    if (code == kErrNone && created)
        *created = index;
    return code;
}
