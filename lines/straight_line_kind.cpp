#include "lines/straight_line_kind.h"

#include "lines/length_label.h"
#include "lines/line_adjust.h"
#include "lines/line_attributes.h"
#include "lines/line_kind_common.h"
#include "lines/line_create.h"
#include "lines/line_geometry.h"
#include "lines/line_hit_test.h"
#include "lines/line_paint.h"
#include "lines/line_rects.h"
#include "lines/line_transform.h"
#include "objects/kind_arguments.h"
#include "objects/kind_messages.h"
#include "objects/shape_attributes.h"
#include "objects/shape_handles.h"
#include "text/object_text_messages.h"

int32_t WINAPI RUV_OvadERovazad(HDC dc, void* drawingArg, void* table, int index, int message, INT_PTR a, INT_PTR b,
                                INT_PTR c)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    if (!table && message != kMsgCapabilities && message != kMsgExpandArcPiece)
        return 0;
    if (IsObjectTextMessage(message))
        return ApplyObjectTextMessage(drawing, table, index, message, a, c).value;
    switch (message) {
    case kMsgDraw:
    case kMsgShadowSilhouette:
    case kMsgShadowOutline:
        DrawStraightLine(dc, message, drawing, table, index, static_cast<int>(a), KindPointer<int32_t>(b));
        return 0;
    case kMsgHitTest:
        return c ? HitTestStraightLine(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c)->x,
                                       KindPointer<POINT>(c)->y)
                 : 0;
    case kMsgDrawHandles:
        DrawLineHandles(dc, drawing, table, index);
        return 0;
    case kMsgHandleFeedback: {
        POINT p = UnpackKindPoint(b);
        DrawLineResizeFeedback(dc, drawing, table, index, p.x, p.y, KindPointer<RECT>(c));
        return 0;
    }
    case kMsgNewObjectFeedback: {
        POINT p = UnpackKindPoint(b);
        DrawLineResizeFeedback(dc, drawing, table, -1, p.x, p.y, KindPointer<RECT>(c));
        return 0;
    }
    case kMsgMoveFeedback:
        DrawLineMoveFeedback(dc, drawing, table, index, KindPointer<RECT>(c));
        return 0;
    case kMsgResizeByHandle:
        return ResizeStraightLine(drawing, table, index, static_cast<int>(a), KindPointer<RECT>(c)).value;
    case kMsgResizeToRect:
        return ResizeStraightLine(drawing, table, index, 0, KindPointer<RECT>(c)).value;
    case kMsgInitObject:
        return InitStraightLine(drawing, table, index, static_cast<int>(a)).value;
    case kMsgSetArrowEnds:
        SetLineArrowEnds(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgSetRotation:
        SetLineRotation(drawing, table, index, static_cast<int>(a));
        return 0;
    case kMsgOffset:
        return OffsetLineCoordinate(drawing, table, index, static_cast<int>(a), static_cast<int>(b)).value;
    case kMsgCommandBits:
        return GetLineCommandBits(table, index);
    case kMsgShadowSchemeChanged:
    case kMsgRecompute:
        RecalcLineRects(drawing, KindObject(table, index));
        return 0;
    case kMsgHookPoints:
        MapPointToLineHook(drawing, table, index, static_cast<int>(a), KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgMapBoxPoints:
        MapBoxPointsOntoLine(table, index, static_cast<int>(a), KindPointer<POINT>(c), 0);
        return 0;
    case kMsgCapabilities:
        return GetLineCapabilities();
    case kMsgConnectPoints:
        GetLineConnectPoints(table, index, KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgEndOfHandle:
        GetLineEndOfHandle(table, index, static_cast<int>(a), KindPointer<int32_t>(c));
        return 0;
    case kMsgAnchorPoint:
        GetLineEndPoint(table, index, static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgMovedFrame:
        MoveLineFrameByHandle(table, index, static_cast<int>(a), KindPointer<POINT>(b), KindPointer<RECT>(c));
        return 0;
    case kMsgAdjustFeedback:
        DrawLineAdjustFeedback(dc, drawing, table, index, static_cast<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgMayLink:
        return LineMayLink(drawing);
    case kMsgSize:
        GetLineSize(table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgLayoutRect:
        GetLineBoxRect(table, index, static_cast<int>(b), KindPointer<RECT>(c));
        return 0;
    case kMsgSetAdjustFromHandle:
        return SetLineParameterFromHandle(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c)).value;
    case kMsgFlip:
        return FlipLine(drawing, table, index, static_cast<uint32_t>(a)).value;
    case kMsgLineType:
        return SetLineShape(drawing, table, index, KindPointer<int32_t>(c)).value;
    case kMsgSideOfPoint:
        return GetSideOfLine(table, index, KindPointer<POINT>(b), KindPointer<POINT>(c));
    case kMsgArrowheads:
        SetLineArrowheads(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgDrawnRect:
        GetLineExtentRect(table, index, KindPointer<RECT>(c));
        return 0;
    case kMsgRotateFeedback: {
        POINT p = UnpackKindPoint(b);
        DrawLineRotateFeedback(dc, drawing, table, index, p.x, p.y, KindPointer<RECT>(c));
        return 0;
    }
    case kMsgRotateToPoint:
        return RotateLineToPoint(drawing, table, index, KindPointer<POINT>(c)).value;
    case kMsgRotateHandle:
        return GetLineRotationHandle(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(b),
                                     KindPointer<RECT>(c));
    case kMsgLineRotationReference:
        GetLineRotationReference(table, index, KindPointer<int>(b), KindPointer<RECT>(c));
        return 0;
    case kMsgLineRectInGroup:
        return RotateLineInGroupRect(drawing, table, index, static_cast<int>(a), static_cast<int>(b),
                                     KindPointer<RECT>(c));
    case kMsgLineAngle:
        GetLineAngle(drawing, table, index, nullptr, KindPointer<int>(c));
        return 0;
    case kMsgMakeShapePoints:
        return GetLineOutlinePoints(static_cast<RECT*>(drawingArg), table, index, KindPointer<int>(b), KindPointer<POINT>(c));
    case kMsgMakeShapePieces:
        GetLineTypeInfo(table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgExpandArcPiece:
        AppendLineOutline(static_cast<const RECT*>(drawingArg), static_cast<const unsigned char*>(table), index,
                          KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgTakeLineType:
        SetLineTypeFromSegment(drawing, table, index, static_cast<int>(a), KindPointer<unsigned char>(c));
        return 0;
    case kMsgShowLength:
        return ShowLineLength(drawing, table, index, KindPointer<int32_t>(c)).value;
    case kMsgLineBounds:
        if (c)
            *KindPointer<RECT>(c) = KindObject(table, index)->bounds;
        return 0;
    case kMsgLineTextLevel:
        SetTextAlongLine(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    default:
        return AnswerCommonLineMessage(dc, drawing, table, index, message, a, b, c);
    }
}
