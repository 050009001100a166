#include "objects/shape_kind.h"

#include "objects/drawing_layout.h"
#include "objects/kind_arguments.h"
#include "objects/kind_messages.h"
#include "objects/adjust_handles.h"
#include "objects/drag_feedback.h"
#include "objects/shape_attributes.h"
#include "objects/shape_box_points.h"
#include "objects/shape_outline_lines.h"
#include "objects/shape_flip.h"
#include "objects/shape_frames.h"
#include "objects/shape_handles.h"
#include "objects/shape_hit_test.h"
#include "objects/shape_hook_points.h"
#include "objects/shape_init.h"
#include "objects/shape_paint.h"
#include "objects/shape_parameters.h"
#include "objects/shape_resize.h"
#include "objects/shape_rotation.h"
#include "objects/shape_summary.h"
#include "objects/shape_type_change.h"
#include "objects/object_text_hooks.h"

namespace {

// The second word of an attribute pair.
int32_t SecondWord(INT_PTR value)
{
    return value ? KindPointer<int32_t>(value)[1] : 0;
}

} // namespace

// Routes each message to its operation. Messages it does not answer return 0
// like every message the kind does not handle.
int32_t WINAPI DEV_IradeDududir(HDC dc, void* drawingArg, void* table, int index, int message, INT_PTR a, INT_PTR b,
                                INT_PTR c)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    if (IsObjectTextMessage(message))
        return ObjectTextCalls.applyMessage(drawing, table, index, message, a, c).value;
    switch (message) {
    case kMsgDraw:
    case kMsgShadowSilhouette:
    case kMsgShadowOutline:
    case kMsgFillOnly:
        PaintShape(dc, message, drawing, table, index, nullptr, 0, a, b, c);
        return 0;
    case kMsgResizeByHandle:
        if (!c)
            return 0;
        return ResizeShape(drawing, table, index, static_cast<int>(a), static_cast<int>(b), KindPointer<RECT>(c)).value;
    case kMsgResizeToRect:
        return c ? ResizeShape(drawing, table, index, 1, static_cast<int>(b), KindPointer<RECT>(c)).value : 0;
    case kMsgSetOutlineWidth:
        return c ? SetShapeLineWidth(drawing, table, index, static_cast<int>(a), KindPointer<int32_t>(c)).value : 0;
    case kMsgSetOutlineStyle:
        if (c)
            SetShapeLineStyle(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgSetFillPattern:
        if (c)
            SetShapeFillPattern(drawing, table, index, static_cast<int>(a), KindPointer<int32_t>(c));
        return 0;
    case kMsgInitObject:
        return InitShapeObject(drawing, table, index, a, b, c).value;
    case kMsgSetOutlineColor:
        if (c)
            SetShapeLineColor(drawing, table, index, static_cast<int>(a), KindPointer<COLORREF>(c));
        return 0;
    case kMsgSetFillColor:
        if (c)
            SetShapeFillColor(drawing, table, index, static_cast<int>(a), KindPointer<COLORREF>(c));
        return 0;
    case kMsgSetRotation:
        SetShapeRotation(drawing, table, index, static_cast<int>(a));
        return 0;
    case kMsgCollectShapeAttributes:
        if (c)
            CollectShapeAttributes(drawing, table, index, KindPointer<DrawingObject>(c));
        return 0;
    case kMsgCommandBits:
        return static_cast<int32_t>(GetShapeCommandBits(drawing, table, index));
    case kMsgShadowSchemeChanged:
        return ApplyShadowSchemeToText(drawing, table, index).value;
    case kMsgSetTextBoxWord:
        return SetShapeTextOption(drawing, table, index, static_cast<int>(a)).value;
    case kMsgCapabilities:
        return GetBoxPoints(static_cast<int>(a), KindPointer<int>(b), KindPointer<RECT>(c));
    case kMsgMovedFrame:
        return b && c ? MoveFrameOppositeSide(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(b),
                                              KindPointer<RECT>(c))
                      : 0;
    case kMsgSetShapeType:
        return ChangeShapeType(drawing, table, index, SecondWord(c)).value;
    case kMsgMayLink:
        return ShapesMayLink(drawing);
    case kMsgParameterDefaults:
        return GetShapeParameterDefaults(static_cast<int>(a), KindPointer<ShapeParameterRange>(c));
    case kMsgSizingDefault:
        return GetShapeSizingDefault(static_cast<int>(a));
    case kMsgSize:
        if (c)
            GetShapeSize(KindObject(table, index), KindPointer<int32_t>(c));
        return 0;
    case kMsgLayoutRect:
    case kMsgLayoutRectAlt:
        if (c)
            GetShapeBounds(KindObject(table, index), static_cast<int>(a), KindPointer<RECT>(c));
        return 0;
    case kMsgFlip:
        return FlipShape(drawing, table, index, static_cast<uint32_t>(a)).value;
    case kMsgShadowFlags:
        return SetObjectShadowFlags(drawing, table, index, static_cast<uint32_t>(a), static_cast<int>(b)).value;
    case kMsgTextSizing:
        return SetShapeTextSizing(drawing, table, index, static_cast<int>(a), SecondWord(c)).value;
    case kMsgRecompute:
        DiscardError(RecalcShapeFrame(drawing, KindObject(table, index), 0), "without a reflow nothing can fail");
        return 0;
    case kMsgDrawnRect:
        if (c)
            GetShapeBounds(KindObject(table, index), 1, KindPointer<RECT>(c));
        return 0;
    case kMsgRotateToPoint:
        return c ? RotateShapeToPoint(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c)).value : 0;
    case kMsgRotateHandle:
        return GetShapeRotateHandle(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(b), KindPointer<RECT>(c));
    case kMsgOutlinePolygon:
        if (b && c)
            GetShapeOutline(drawing, table, index, KindPointer<int>(c), KindPointer<POINT>(b));
        return 0;
    case kMsgHitTest:
        return c ? HitTestShape(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c)->x,
                                KindPointer<POINT>(c)->y)
                 : 0;
    case kMsgDrawHandles:
        DrawShapeHandles(dc, drawing, table, index);
        return 0;
    case kMsgHandleFeedback:
    case kMsgMoveFeedback:
        DrawShapeDragFeedback(dc, drawing, table, index, message, static_cast<int>(a), KindPointer<RECT>(c), 0, -1.0);
        return 0;
    case kMsgNewObjectFeedback:
        DrawShapeDragFeedback(dc, drawing, table, -1, message, static_cast<int>(a), KindPointer<RECT>(c), 1, -1.0);
        return 0;
    case kMsgRotateFeedback:
        // The start point comes packed: x in the low, y in the high 16 bits.
        DrawShapeRotateFeedback(dc, drawing, table, index, static_cast<int>(a),
                                static_cast<int16_t>(static_cast<uint32_t>(b) & 0xFFFF),
                                static_cast<int16_t>((static_cast<uint32_t>(b) >> 16) & 0xFFFF), KindPointer<RECT>(c), 0,
                                -1.0);
        return 0;
    case kMsgHookPoints:
        GetShapeHookPoints(drawing, table, index, static_cast<int>(a), KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgMapBoxPoints:
        MapShapeBoxPoints(drawing, table, index, static_cast<int>(b), static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgDrawHookMarkers:
        DrawHookMarkers(dc, drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgConnectPoints:
        GetShapeConnectPoints(drawing, table, index, KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgAnchorPoint:
        return GetShapeAnchorPoint(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c));
    case kMsgAdjustFeedback:
        DrawAdjustHandleFeedback(dc, drawing, table, index, static_cast<int>(a), b, KindPointer<POINT>(c));
        return 0;
    case kMsgSetAdjustFromHandle:
        return SetAdjustParameter(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c)).value;
    case kMsgShapeToLinePieces:
        return ShapeToFreeformOutline(drawing, table, index, KindPointer<HGLOBAL>(b), KindPointer<RECT>(c)).value;
    case kMsgBoxPosition:
        GetShapeBoxPosition(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    default:
        return 0;
    }
}
