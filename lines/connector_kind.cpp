#include "lines/connector_kind.h"

#include "lines/connector_feedback.h"
#include "lines/connector_flip.h"
#include "lines/connector_handles.h"
#include "lines/connector_paint.h"
#include "lines/connector_reshape.h"
#include "lines/connector_route.h"
#include "lines/connector_shape.h"
#include "lines/connector_text.h"
#include "lines/line_attributes.h"
#include "lines/line_kind_common.h"
#include "lines/line_transform.h"
#include "objects/kind_arguments.h"
#include "objects/kind_messages.h"
#include "objects/object_offset.h"
#include "objects/shape_attributes.h"
#include "objects/shape_handles.h"
#include "text/object_text_messages.h"

int32_t WINAPI VIZ_OvaVOzediru(HDC dc, void* drawingArg, void* table, int index, int message, INT_PTR a, INT_PTR b,
                               INT_PTR c)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    if (!table && message != kMsgCapabilities && message != kMsgEndOfHandle)
        return 0;
    if (IsObjectTextMessage(message))
        return ApplyObjectTextMessage(drawing, table, index, message, a, c).value;
    switch (message) {
    case kMsgDraw:
    case kMsgShadowSilhouette:
    case kMsgShadowOutline:
        PaintSegLine(dc, message, drawing, table, index, static_cast<int>(a), KindPointer<int32_t>(b));
        return 0;
    case kMsgHitTest:
        return c ? SegLineHitTest(drawing, table, index, *KindPointer<POINT>(c)) : 0;
    case kMsgDrawHandles:
        DrawSegLineHandles(dc, drawing, table, index);
        return 0;
    case kMsgHandleFeedback:
        SegLineDragFeedback(dc, drawing, table, index, KindObject(table, index)->shapeType, UnpackKindPoint(b),
                            KindPointer<RECT>(c), 1);
        return 0;
    case kMsgNewObjectFeedback:
        SegLineDragFeedback(dc, drawing, table, -1, static_cast<int>(a), UnpackKindPoint(b), KindPointer<RECT>(c), 1);
        return 0;
    case kMsgMoveFeedback:
        if (c)
            SegLineMoveFeedback(dc, drawing, table, index, *KindPointer<POINT>(c));
        return 0;
    case kMsgResizeByHandle:
        return ResizeSegLine(drawing, table, index, static_cast<int>(a), KindPointer<RECT>(c)).value;
    case kMsgResizeToRect:
        return ResizeSegLine(drawing, table, index, 0, KindPointer<RECT>(c)).value;
    case kMsgInitObject:
        return InitSegLine(drawing, table, index, static_cast<int>(a)).value;
    case kMsgSetArrowEnds:
        SetLineArrowEnds(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgSetRotation:
    case kMsgRotateToPoint:
        TransformRefused = 1;
        return 0;
    case kMsgCommandBits:
        return KindObject(table, index)->groupIndex >= 0 ? 2625 : 2645;
    case kMsgShadowSchemeChanged:
    case kMsgRecompute:
        RecalcSegLineRects(drawing, KindObject(table, index));
        return 0;
    case kMsgHookPoints:
        GetSegLineHookPoint(drawing, table, index, KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgMapBoxPoints:
        GetSegLineBoxPoints(drawing, table, index, static_cast<int>(b), static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgCapabilities:
        return GetLineCapabilities();
    case kMsgConnectPoints:
        GetSegLineEndHookPoints(drawing, table, index, KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgEndOfHandle:
        GetSegLineEndOfCode(static_cast<int>(a), KindPointer<int32_t>(c));
        return 0;
    case kMsgAnchorPoint:
        return GetSegLineEndPoint(drawing, table, index, static_cast<int>(a), KindPointer<int>(b), KindPointer<POINT>(c))
            .value;
    case kMsgMovedFrame:
        GetMovedEndRect(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(b), KindPointer<RECT>(c));
        return 0;
    case kMsgAdjustFeedback:
        AdjustSegLineFeedback(dc, drawing, table, index, static_cast<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgMayLink:
        return LineMayLink(drawing);
    case kMsgSlotAttached:
        return SegLineSlotConnected(drawing, table, index, static_cast<int>(a), static_cast<int>(b)).value;
    case kMsgSize:
        if (c) {
            const RECT& in = KindObject(table, index)->inner;
            KindPointer<int32_t>(c)[0] = in.right - in.left;
            KindPointer<int32_t>(c)[1] = in.bottom - in.top;
        }
        return 0;
    case kMsgSetAdjustFromHandle:
        return AdjustSegLine(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c)).value;
    case kMsgFlip:
        return FlipSegLine(drawing, table, index, static_cast<uint32_t>(a)).value;
    case kMsgLineType:
        return SetSegLineShape(drawing, table, index, KindPointer<int32_t>(c), 0).value;
    case kMsgSideOfPoint:
        return GetSegLineSideAt(drawing, table, index, KindPointer<POINT>(b), KindPointer<POINT>(c));
    case kMsgArrowheads:
        SetLineArrowheads(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgDrawnRect:
        if (c)
            *KindPointer<RECT>(c) = KindObject(table, index)->frame;
        return 0;
    case kMsgLineAngle:
        GetSegLineTextAngle(drawing, table, index, static_cast<int>(b), static_cast<int>(a), KindPointer<int>(c));
        return 0;
    case kMsgMakeShapePoints:
        return GetSegLineOutlinePoints(reinterpret_cast<HGLOBAL>(dc), static_cast<RECT*>(drawingArg), nullptr,
                                       table, index, KindPointer<int>(b), KindPointer<POINT>(c), static_cast<int>(a));
    case kMsgMakeShapePieces:
        GetSegLineOutlineInfo(drawing, table, index, static_cast<int>(a), KindPointer<int32_t>(c));
        return 0;
    case kMsgExpandArcPiece:
        ExpandSegLineArcPiece(static_cast<const POINT*>(drawingArg), static_cast<const unsigned char*>(table), index,
                              KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgTakeLineType:
        SetSegLineFromPiece(drawing, table, index, static_cast<int>(a), KindPointer<unsigned char>(c));
        return 0;
    case kMsgShowLength:
        return ShowSegLineLength(drawing, table, index, KindPointer<int32_t>(c)).value;
    case kMsgLineTextLevel:
        SetLineTextHorizontal(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    default:
        return AnswerCommonLineMessage(dc, drawing, table, index, message, a, b, c);
    }
}
