#include "lines/array_kind.h"

#include "lines/array_attach.h"
#include "lines/array_bounds.h"
#include "lines/array_create.h"
#include "lines/array_feedback.h"
#include "lines/array_handles.h"
#include "lines/array_hook_points.h"
#include "lines/array_layout.h"
#include "lines/array_paint.h"
#include "lines/array_reshape.h"
#include "lines/array_style.h"
#include "lines/line_attributes.h"
#include "lines/line_kind_common.h"
#include "lines/line_transform.h"
#include "objects/kind_arguments.h"
#include "objects/kind_messages.h"
#include "objects/object_offset.h"
#include "objects/shape_attributes.h"

namespace {

// The value block of the attribute messages carries its value at c + 4.
int BlockValue(INT_PTR c)
{
    return c ? KindPointer<int32_t>(c)[1] : 0;
}

} // namespace

int32_t WINAPI VAD_OzudiZaravoz(HDC dc, void* drawingArg, void* table, int index, int message, INT_PTR a, INT_PTR b,
                                INT_PTR c)
{
    auto* drawing = static_cast<DrawingRecord*>(drawingArg);
    if (message == kMsgCapabilities)
        return 210;
    if (!table)
        return 0;
    switch (message) {
    case kMsgDraw:
    case kMsgShadowSilhouette:
    case kMsgShadowOutline:
        DrawArray(dc, message, drawing, table, index, static_cast<int>(a),
                  message == kMsgDraw ? nullptr : KindPointer<int32_t>(b));
        return 0;
    case kMsgHitTest:
        return c ? HitTestArray(drawing, table, index, *KindPointer<POINT>(c)) : 0;
    case kMsgDrawHandles:
        DrawArrayHandles(dc, drawing, table, index);
        return 0;
    case kMsgHandleFeedback:
        DrawArrayHandleFeedback(dc, drawing, table, index, KindPointer<RECT>(c));
        return 0;
    case kMsgMoveFeedback:
        DrawArrayMoveFeedback(dc, drawing, table, index, KindPointer<RECT>(c));
        return 0;
    case kMsgResizeByHandle:
        return ResizeArrayByHandle(drawing, table, index, KindPointer<RECT>(c)).value;
    case kMsgResizeToRect:
        return ResizeArrayToRect(drawing, table, index, KindPointer<RECT>(c)).value;
    case kMsgInitObject:
        return CreateArray(drawing, table, index, static_cast<int>(a)).value;
    case kMsgSetArrowEnds:
        SetArrayArrowEnds(drawing, table, index, BlockValue(c));
        return 0;
    case kMsgSetRotation:
    case kMsgRotateToPoint:
        TransformRefused = 1;
        return 0;
    case kMsgOffset:
        OffsetArray(drawing, table, index, static_cast<int>(a), static_cast<int>(b));
        return 0;
    case kMsgNewObjectFeedback:
        DrawArrayCreateFeedback(dc, static_cast<int>(a), UnpackKindPoint(b), KindPointer<RECT>(c));
        return 0;
    case kMsgCommandBits:
        return KindObject(table, index)->groupIndex >= 0 ? 2625 : 19025;
    case kMsgShadowSchemeChanged:
    case kMsgRecompute:
        ComputeArrayBounds(drawing, table, index);
        return 0;
    case kMsgSetLineWidth:
        SetArrayLineWidth(drawing, table, index, static_cast<int>(a), BlockValue(c));
        return 0;
    case kMsgSetLineStyle:
        SetArrayLineStyle(drawing, table, index, BlockValue(c));
        return 0;
    case kMsgHookPoints:
        GetArrayHookPoints(drawing, table, index, KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgMapBoxPoints:
        MapArrayHookPoints(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgDrawHookMarkers:
        DrawArrayHookMarkers(dc, drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgConnectPoints:
        GetArrayOwnHookPoints(drawing, table, index, KindPointer<int>(b), KindPointer<POINT>(c));
        return 0;
    case kMsgEndOfHandle: {
        int end = NormalizeArrayEndCode(drawing, table, index, static_cast<int>(a));
        if (c)
            *KindPointer<int32_t>(c) = end;
        return end;
    }
    case kMsgAnchorPoint:
        GetArrayEndPoint(drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgMovedFrame:
        MoveLineFrameByHandle(table, index, static_cast<int>(a), KindPointer<POINT>(b), KindPointer<RECT>(c));
        return 0;
    case kMsgMayLink:
        return LineMayLink(drawing);
    case kMsgSize:
        if (c) {
            const RECT& in = KindObject(table, index)->inner;
            KindPointer<int32_t>(c)[0] = in.right - in.left;
            KindPointer<int32_t>(c)[1] = in.bottom - in.top;
        }
        return 0;
    case kMsgLayoutRect:
    case kMsgLayoutRectAlt:
        GetArrayLineRect(drawing, table, index, static_cast<int>(b), KindPointer<RECT>(c));
        return 0;
    case kMsgFlip:
        return FlipArray(drawing, table, index, static_cast<uint32_t>(a)).value;
    case kMsgSideOfPoint:
        return GetSideOfLine(table, index, KindPointer<POINT>(b), KindPointer<POINT>(c));
    case kMsgArrowheads:
        SetArrayArrowheads(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgDrawnRect:
        GetLineExtentRect(table, index, KindPointer<RECT>(c));
        return 0;
    case kMsgLinkChanged:
        return UpdateBranchAttachment(drawing, table, index, static_cast<int32_t>(a), static_cast<int>(b),
                                      static_cast<int>(c)).value;
    case kMsgBranchAnchor:
        return GetBranchDropAnchor(drawing, table, index, static_cast<int>(b), KindPointer<int32_t>(c));
    case kMsgBranchStem:
        if (c)
            *KindPointer<int32_t>(c) = GetArrayStemLength(drawing, table, index);
        return 0;
    case kMsgArrayStyle:
        return ApplyArrayStyle(drawing, table, index, BlockValue(c)).value;
    default:
        return AnswerCommonLineMessage(dc, drawing, table, index, message, a, b, c);
    }
}
