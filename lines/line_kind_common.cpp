#include "lines/line_kind_common.h"

#include "lines/line_attributes.h"
#include "objects/kind_arguments.h"
#include "objects/kind_messages.h"
#include "objects/shape_attributes.h"
#include "objects/shape_handles.h"

int32_t AnswerCommonLineMessage(HDC dc, DrawingRecord* drawing, void* table, int index, int message, INT_PTR a,
                                INT_PTR b, INT_PTR c)
{
    switch (message) {
    case kMsgSetLineColor:
        if (c)
            SetShapeLineColor(drawing, table, index, static_cast<int>(a), KindPointer<COLORREF>(c));
        return 0;
    case kMsgSetLineWidth:
        SetLineWidth(drawing, table, index, static_cast<int>(a), KindPointer<int32_t>(c));
        return 0;
    case kMsgSetLineStyle:
        SetLineStyle(drawing, table, index, KindPointer<int32_t>(c));
        return 0;
    case kMsgCollectLineAttributes:
        CollectLineAttributes(drawing, table, index, KindPointer<DrawingObject>(c));
        return 0;
    case kMsgDrawHookMarkers:
        DrawHookMarkers(dc, drawing, table, index, static_cast<int>(a), KindPointer<POINT>(c));
        return 0;
    case kMsgShadowFlags:
        return SetObjectShadowFlags(drawing, table, index, static_cast<uint32_t>(a), static_cast<int>(b)).value;
    case kMsgClearWord:
        if (c)
            *KindPointer<int32_t>(c) = 0;
        return 0;
    default:
        return 0;
    }
}
