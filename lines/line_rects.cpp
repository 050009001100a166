#include "lines/line_rects.h"

#include "common/rect_helpers.h"
#include "lines/arrowheads.h"
#include "lines/line_geometry.h"
#include "lines/line_outline.h"
#include "objects/drawing_tables.h"
#include "objects/shadow_extent.h"
#include "objects/shape_frames.h"

namespace {

const uint32_t kAxisHorizontal = 4;
const uint32_t kAxisVertical = 8;

int Larger(int a, int b) { return a > b ? a : b; }

} // namespace

void RecalcLineRects(DrawingRecord* drawing, DrawingObject* line)
{
    int hw = Larger(line->lineWidth / 2, 6);
    int S = 0;
    int A = 0;
    if (line->arrowEnds != 0) {
        int32_t first = GetArrowheadExtent(static_cast<uint32_t>(line->startArrow), line->arrowSize, line->lineWidth);
        int32_t second = GetArrowheadExtent(static_cast<uint32_t>(line->endArrow), line->arrowSize, line->lineWidth);
        S = Larger(ExtentAcross(first), ExtentAcross(second));
        A = Larger(ExtentAlong(first), ExtentAlong(second));
    }
    int M = Larger(S, A);
    bool arc = line->lineType == 3;
    RECT shadow = {0, 0, 0, 0};
    if (drawing && ObjectHasShadow(drawing, line))
        GetShadowExtent(drawing, &shadow, 1);

    int direction = LineDirectionOf(line);
    int y = line->kindCoordinate;
    if (direction == kLineHorizontal) {
        line->frame.top = y - hw;
        line->frame.bottom = y + hw;
    } else if (direction == kLineVertical) {
        line->frame.left = y - hw;
        line->frame.right = y + hw;
    }
    line->bounds = line->frame;
    line->inner = line->frame;
    AddLineOutlineToBounds(line);
    RECT& b = line->bounds;
    if (direction == kLineHorizontal) {
        InflateRect(&b, (arc ? M : A) + 30, arc ? M : S);
        ExpandRect(&b, &shadow);
        if (b.top > y - 27)
            b.top = y - 27;
        if (b.bottom < y + 27)
            b.bottom = y + 27;
        line->kindWord1 = static_cast<int32_t>((static_cast<uint32_t>(line->kindWord1) | kAxisHorizontal) &
                                               ~kAxisVertical);
    } else if (direction == kLineVertical) {
        InflateRect(&b, arc ? M : S, (arc ? M : A) + 30);
        ExpandRect(&b, &shadow);
        if (b.left > y - 27)
            b.left = y - 27;
        if (b.right < y + 27)
            b.right = y + 27;
        line->kindWord1 = static_cast<int32_t>((static_cast<uint32_t>(line->kindWord1) | kAxisVertical) &
                                               ~kAxisHorizontal);
    } else {
        int grow = (arc ? M : S) + 30;
        InflateRect(&b, grow, grow);
        ExpandRect(&b, &shadow);
        line->kindWord1 = static_cast<int32_t>(static_cast<uint32_t>(line->kindWord1) &
                                               ~(kAxisHorizontal | kAxisVertical));
    }
    line->textFrame = line->inner;
}

void RecalcLineTypeRects(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        if (object->kind == kKindLine && object->lineType != kLinePlain)
            RecalcLineRects(drawing, object);
    }
}

void GetLineMarkerRect(const DrawingObject* line, RECT* rect)
{
    const RECT& f = line->frame;
    POINT mid;
    switch (LineDirectionOf(line)) {
    case kLineHorizontal:
        mid = {(f.left + f.right) / 2, line->kindCoordinate};
        break;
    case kLineVertical:
        mid = {line->kindCoordinate, (f.top + f.bottom) / 2};
        break;
    default: {
        int half = (f.bottom - f.top) / 2;
        mid = {(f.left + f.right) / 2, RunsUp(line) ? f.bottom - half : f.top + half};
        break;
    }
    }
    *rect = {mid.x - 27, mid.y - 27, mid.x + 27, mid.y + 27};
    if (rect->top < line->bounds.top)
        rect->top = line->bounds.top;
    if (rect->left < line->bounds.left)
        rect->left = line->bounds.left;
}
