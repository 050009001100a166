#include "objects/drag_feedback.h"

#include "common/rect_handle_point.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/point_transforms.h"
#include "objects/selection_geometry.h"
#include "objects/shape_figure.h"
#include "objects/shape_init.h"
#include "objects/shape_rotation.h"

namespace {

const int kRotateHandlePen = 12;

// The XOR frame every feedback figure is drawn in.
class XorFigure {
public:
    XorFigure(HDC dc, int solid) : dc_(dc)
    {
        pen_ = CreatePen(solid ? PS_INSIDEFRAME : PS_DOT, 0, RGB(0, 0, 0));
        saved_ = SaveDC(dc_);
        SelectObject(dc_, GetStockObject(NULL_BRUSH));
        if (pen_)
            SelectObject(dc_, pen_);
        SetROP2(dc_, R2_NOT);
    }
    ~XorFigure()
    {
        RestoreDC(dc_, saved_);
        if (pen_)
            DeleteObject(pen_);
    }
    XorFigure(const XorFigure&) = delete;
    XorFigure& operator=(const XorFigure&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    int saved_;
};

POINT Centre(const RECT& r)
{
    return {(r.right - r.left) / 2 + r.left, (r.bottom - r.top) / 2 + r.top};
}

} // namespace

void DrawShapeDragFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int message, int shapeType,
                           const RECT* rect, int solid, double parameter)
{
    if (!dc || !rect)
        return;
    int angle = 0;
    unsigned mirror = 0;
    HGLOBAL freeform = nullptr;
    RECT reference = *rect;
    if (index >= 0 && table) {
        const DrawingObject* object = KindObject(table, index);
        if (parameter < 0.0)
            parameter = object->adjust;
        angle = object->rotation;
        mirror = object->optionFlags;
        if (drawing)
            freeform = LoadFreeformOutline(drawing->storeSlot, object);
        if (message == 4)
            reference = object->frame;
    } else if (parameter < 0.0) {
        parameter = NewShapeParameter(drawing, shapeType);
        if (parameter < 0.0)
            parameter = NewShapeParameter(nullptr, shapeType);
    }
    {
        XorFigure figure(dc, solid);
        DrawShapeFigure(dc, rect, &reference, 0, parameter, shapeType, angle, freeform, 0, nullptr, mirror);
    }
    ReleaseFreeformOutline(freeform);
}

void DrawShapeRotateFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int shapeType, int x, int y,
                             const RECT* rect, int solid, double parameter)
{
    if (!dc || !rect || !table)
        return;
    const DrawingObject* object = KindObject(table, index);
    if (index >= 0) {
        if (parameter < 0.0)
            parameter = object->adjust;
    } else {
        parameter = 0.0;
    }
    const RECT& frame = object->frame;
    POINT centre = Centre(frame);
    POINT from;
    GetRectHandlePoint(&frame, GetOppositeSide(SideCodeOnRect(&frame, x, y)), &from);
    POINT to;
    GetRectHandlePoint(rect, GetOppositeSide(SideCodeOnRect(rect, x, y)), &to);
    int angle = ComputeAngleBetween(centre.x, centre.y, from.x, from.y, to.x, to.y);
    if (drawing && (drawing->flags & kDrawingSnap))
        angle = SnapRotationAngle(angle);
    HGLOBAL freeform = (index >= 0 && drawing) ? LoadFreeformOutline(drawing->storeSlot, object) : nullptr;
    {
        XorFigure figure(dc, solid);
        DrawShapeFigure(dc, &frame, &frame, 0, parameter, shapeType, angle, freeform, 0, nullptr,
                        object->optionFlags);
    }
    ReleaseFreeformOutline(freeform);
}

void DrawRotateHandle(HDC dc, DrawingRecord* drawing, void* table, int index)
{
    if (!dc || !table)
        return;
    POINT point;
    RECT box;
    int code = CallObjectKind(nullptr, drawing, table, index, kMsgRotateHandle, 1, reinterpret_cast<INT_PTR>(&point),
                              reinterpret_cast<INT_PTR>(&box));
    if (code == 0)
        return;
    HPEN pen = CreatePen(PS_INSIDEFRAME, kRotateHandlePen, RGB(0, 0, 0));
    DrawXorEllipse(dc, &box, pen);
    if (pen)
        DeleteObject(pen);
}
