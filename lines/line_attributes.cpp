#include "lines/line_attributes.h"

#include "lines/arrowheads.h"
#include "lines/connector_route.h"
#include "lines/connector_shape.h"
#include "lines/line_geometry.h"
#include "lines/line_rects.h"
#include "objects/object_links.h"

void RecalcAnyLineRects(DrawingRecord* drawing, void* table, int index)
{
    DrawingObject* object = KindObject(table, index);
    if (object->kind == kKindConnector)
        RecalcSegLineRects(drawing, object);
    else
        RecalcLineRects(drawing, object);
}

void SetLineWidth(DrawingRecord* drawing, void* table, int index, int resetStyle, const int32_t* value)
{
    if (!value)
        return;
    DrawingObject* line = KindObject(table, index);
    int width = value[1] == 0 ? 1 : value[1];
    line->lineWidth = width;
    if (drawing)
        drawing->lineWidth = width;
    if (resetStyle)
        line->lineStyle = 1;
    RecalcAnyLineRects(drawing, table, index);
}

void SetLineStyle(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    if (!value)
        return;
    DrawingObject* line = KindObject(table, index);
    line->lineStyle = value[1];
    if (line->lineWidth != 1) {
        int32_t one[2] = {0, 1};
        SetLineWidth(drawing, table, index, 0, one);
    }
}

void SetLineArrowEnds(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    DrawingObject* line = KindObject(table, index);
    if (!value || line->groupIndex >= 0)
        return;
    line->arrowEnds = value[1];
    line->startArrow = (value[1] & 2) ? 1 : 0;
    line->endArrow = (value[1] & 1) ? 1 : 0;
    RecalcAnyLineRects(drawing, table, index);
}

int32_t MergeArrowheadWord(int32_t word, int32_t value)
{
    uint32_t w = static_cast<uint32_t>(word);
    uint32_t v = static_cast<uint32_t>(value);
    if ((v & 0xFF) != 0xFF)
        w = ((w & 0xFF00) | (v & 0xFF));
    if (((v >> 8) & 0xFF) != 0xFF)
        w = ((w & 0xFF) | (v & 0xFF00));
    return static_cast<int32_t>(w);
}

void SetLineArrowheads(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    DrawingObject* line = KindObject(table, index);
    if (!value || line->groupIndex >= 0)
        return;
    line->startArrow = MergeArrowheadWord(line->startArrow, value[0]);
    line->endArrow = MergeArrowheadWord(line->endArrow, value[2]);
    line->arrowEnds = RebuildArrowEnds(&line->startArrow, &line->endArrow);
    if (value[1] != -1)
        line->arrowSize = ClampArrowSize(value[1]);
    RecalcAnyLineRects(drawing, table, index);
}

namespace {

void MergeValue(int32_t* field, int32_t value)
{
    if (*field == -2)
        *field = value;
    else if (*field != value)
        *field = -1;
}

void MergeWord(int32_t* field, int32_t value)
{
    if (*field == -2) {
        *field = value;
        return;
    }
    uint32_t f = static_cast<uint32_t>(*field);
    uint32_t v = static_cast<uint32_t>(value);
    if ((f & 0xFF) != (v & 0xFF))
        f = (f & 0xFF00) | 0xFF;
    if ((f & 0xFF00) != (v & 0xFF00))
        f = (f & 0xFF) | 0xFF00;
    *field = static_cast<int32_t>(f);
}

} // namespace

void CollectLineAttributes(DrawingRecord*, void* table, int index, DrawingObject* collector)
{
    if (!collector)
        return;
    const DrawingObject* line = KindObject(table, index);
    MergeValue(&collector->lineWidth, line->lineWidth);
    MergeValue(&collector->lineStyle, line->lineStyle);
    int32_t colour = static_cast<int32_t>(collector->lineColor);
    MergeValue(&colour, static_cast<int32_t>(line->lineColor));
    collector->lineColor = static_cast<COLORREF>(colour);
    MergeValue(&collector->arrowSize, line->arrowSize);
    MergeWord(&collector->startArrow, line->startArrow);
    MergeWord(&collector->endArrow, line->endArrow);
    if (line->kind == kKindLine)
        MergeValue(&collector->lineType, line->lineType);
    if (line->optionFlags & kOptionHideShadow)
        collector->optionFlags |= kOptionHideShadow;
}

int32_t GetLineCommandBits(void* table, int index)
{
    return KindObject(table, index)->groupIndex >= 0 ? 2753 : 2773;
}

ErrorCode SetLineShape(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    if (!value)
        return kErrNone;
    DrawingObject* line = KindObject(table, index);
    int code = value[1];
    int family = code & 0x30;
    if (family == 0x10 || family == 0x20) {
        int direction = LineDirectionOf(line);
        if (direction == kLineHorizontal)
            line->frame.bottom += 300;
        else if (direction == kLineVertical)
            line->frame.right += 300;
        line->kind = kKindConnector;
        line->shapeType = family == 0x20 ? 1 : 0;
        ErrorCode result = MakeRouteRecord(drawing, KindObject(table, index));
        if (result != kErrNone)
            return result;
        return SetSegLineShape(drawing, table, index, value, 0);
    }
    if (family != 0 || code < 1 || code > 4)
        return kErrNone;
    if (code == 2 || code == 3) {
        if (!(line->adjust >= 0.1 && line->adjust <= 0.5))
            line->adjust = 0.25;
    } else if (code == 4) {
        if (line->lineType != kLineArc)
            line->adjust = 180.0;
    }
    line->lineType = code - 1;
    RecalcLineRects(drawing, line);
    if (drawing)
        MarkLinksOf(drawing, line->objectId, 0x14, line->groupKey, line->groupIndex);
    return kErrNone;
}
