#include "lines/array_paint.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "lines/arrowheads.h"
#include "lines/connector_handles.h"
#include "objects/attachment_marker.h"
#include "objects/kind_messages.h"

namespace {

struct Assignment {
    int ends;
    uint32_t first;
    uint32_t second;
    int T1;     // the stroke's cut at its first point
    int T2;
    int O1;     // the arrowhead tips' displacement
    int O2;
};

int Offset(uint32_t word)
{
    return (word & kArrowDisplaced) ? kArrowDisplacement : 0;
}

Assignment MakeAssignment(int ends, uint32_t first, uint32_t second, int size, int width)
{
    Assignment a = {ends, first, second, 0, 0, Offset(first), Offset(second)};
    if (ends & 2)
        a.T1 = std::max<int>(GetArrowheadSetback(first, size, width), 0) + a.O1;
    if (ends & 1)
        a.T2 = std::max<int>(GetArrowheadSetback(second, size, width), 0) + a.O2;
    return a;
}

// A point moved from `from` toward `to` by d.
POINT Toward(POINT from, POINT to, int d)
{
    if (d == 0)
        return from;
    if (from.x == to.x)
        return {from.x, from.y + (to.y > from.y ? d : -d)};
    if (from.y == to.y)
        return {from.x + (to.x > from.x ? d : -d), from.y};
    double dx = to.x - from.x;
    double dy = to.y - from.y;
    double length = std::sqrt(dx * dx + dy * dy);
    return {from.x + static_cast<int>(d * dx / length), from.y + static_cast<int>(d * dy / length)};
}

struct Painter {
    HDC dc;
    HPEN linePen;
    HPEN thinPen;
    HPEN arrowPen;
    HBRUSH brush;
    int width;
    int size;

    void Stroke(POINT a, POINT b) const
    {
        SelectObject(dc, linePen);
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
    }
    void Heads(const Assignment& as, POINT a, POINT b) const
    {
        if (as.ends == 0)
            return;
        DrawArrowheads(dc, as.ends, as.first, as.second, width, size, 0, a.x, a.y, b.x, b.y, brush, thinPen, arrowPen);
        SelectObject(dc, linePen);
    }
};

} // namespace

void DrawEmptyArrayMarker(HDC dc, int x, int y)
{
    int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, x - 30, y - 30, x + 36, y + 36);
    MoveToEx(dc, x - 30, y, nullptr);
    LineTo(dc, x + 30, y);
    MoveToEx(dc, x, y - 30, nullptr);
    LineTo(dc, x, y + 30);
    RestoreDC(dc, saved);
}

void DrawArray(HDC dc, int message, DrawingRecord* drawing, void* table, int index, int printing,
               const int32_t* shadow)
{
    if (!dc)
        return;
    const DrawingObject* array = KindObject(table, index);
    ArrayRecord record;
    if (record.Find(drawing, index >= 0 ? table : nullptr, array) != kErrNone)
        return;
    const ArrayBranchHead* list = record.Get();
    const int first = FirstBranchEntry(list);
    const int fish = GetFishboneOffset(list);
    const bool linear = ArrayIsLinear(list);
    const bool vertical = ArrayIsVertical(array);
    const int attachCode = array->linkCount >= 1 ? array->links[0].connectCode : 0;
    bool emptyMarker = printing == 0 && !RenderingMetafile && list->branchCount < 1;

    POINT origin = vertical ? POINT{array->kindCoordinate, array->inner.top}
                            : POINT{array->inner.left, array->kindCoordinate};
    COLORREF colour = array->lineColor;
    int dx = shadow ? shadow[0] : 0;
    int dy = shadow ? shadow[1] : 0;
    bool shifted = dx != 0 || dy != 0;
    if (message == kMsgShadowSilhouette || message == kMsgShadowOutline) {
        bool linesCast = drawing && (drawing->style.flags & kStyleShadowOnLines);
        if ((!linesCast || (array->optionFlags & kOptionHideShadow)) && shifted)
            return;
        origin.x += dx;
        origin.y += dy;
        if (shadow)
            colour = static_cast<COLORREF>(shadow[2]);
        emptyMarker = false;
    }
    bool attachmentMarker = !shifted && printing == 0 && !RenderingMetafile && drawing && index >= 0 &&
                            HasAttachment(drawing->storeSlot, array);

    const int w = array->lineWidth;
    const int size = array->arrowSize;
    const uint32_t startWord = static_cast<uint32_t>(array->startArrow);
    const uint32_t endWord = static_cast<uint32_t>(array->endArrow);
    const int reverseEnds = ((endWord & 0xFF) ? 2 : 0) + ((startWord & 0xFF) ? 1 : 0);
    const Assignment forward = MakeAssignment(array->arrowEnds, startWord, endWord, size, w);
    const Assignment reverse = MakeAssignment(reverseEnds, endWord, startWord, size, w);

    COLORREF mapped = MapOutputColor(dc, colour, 1);
    HBRUSH brush = CreateSolidBrush(mapped);
    HPEN thinPen = CreatePen(PS_SOLID, 0, mapped);
    HPEN arrowPen = CreateOutputPen(dc, PS_INSIDEFRAME, w >= 13 ? w / 2 : w, colour);
    static const int kStyles[4] = {PS_DOT, PS_DASH, PS_DASHDOT, PS_DASHDOTDOT};
    HPEN linePen = array->lineStyle >= 2 && array->lineStyle <= 5 ? CreatePen(kStyles[array->lineStyle - 2], 0, mapped)
                                                                   : CreateOutputPen(dc, PS_SOLID, w, colour);
    HGDIOBJ oldPen = SelectObject(dc, linePen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    const Painter painter{dc, linePen, thinPen, arrowPen, brush, w, size};
    const int stemExtent = list->entryCount >= 3 || linear ? ArrayEntryAt(list, 1)->extent : 0;

    for (int i = 0; i < list->entryCount; ++i) {
        const ArrayBranchEntry* e = ArrayEntryAt(list, i);
        POINT A = {e->left + origin.x, e->top + origin.y};
        POINT B = {e->right + origin.x, e->bottom + origin.y};
        bool alongY = e->left == e->right;
        bool alongX = !alongY && e->top == e->bottom;
        if (alongY || alongX) {
            int length = alongY ? std::abs(e->bottom - e->top) : std::abs(e->right - e->left);
            bool skip = length == 0 || (i == 0 && linear && list->branchCount > 0);
            if (!skip && linear && i == first && i > 0 && stemExtent == 0)
                skip = attachCode != (alongY ? 22 : 20);
            if (!skip) {
                bool plain = (!linear && i < first && list->entryCount > 1) || (linear && i == 3);
                if (plain) {
                    painter.Stroke(A, B);
                } else {
                    bool useReverse;
                    if (list->entryCount == 1)
                        useReverse = (list->flags & kArrayFlipSide) != 0;
                    else
                        useReverse = alongY ? e->top < 0 : e->left < 0;
                    const Assignment& as = useReverse ? reverse : forward;
                    painter.Stroke(Toward(A, B, as.T1), Toward(B, A, as.T2));
                    painter.Heads(as, Toward(A, B, as.O1), Toward(B, A, as.O2));
                }
            }
        } else {
            bool negative = vertical ? e->left < 0 : e->top < 0;
            POINT P;
            POINT Q;
            bool firstDiagonal = negative ? fish > 0 : fish < 0;
            if (firstDiagonal) {
                P = {e->left, e->top};
                Q = {e->right, e->bottom};
            } else {
                P = {e->left, e->bottom};
                Q = {e->right, e->top};
            }
            P.x += origin.x;
            P.y += origin.y;
            Q.x += origin.x;
            Q.y += origin.y;
            // Stroked from where the branch leaves the trunk, so that the start
            // arrowhead sits at the trunk on every branch, as on square ones.
            bool pOnTrunk = vertical ? P.x == origin.x : P.y == origin.y;
            if (!pOnTrunk)
                std::swap(P, Q);
            const Assignment& as = forward;
            painter.Stroke(Toward(P, Q, as.T1 ? as.T1 + w / 2 : 0), Toward(Q, P, as.T2 ? as.T2 + w / 2 : 0));
            painter.Heads(as, Toward(P, Q, as.O1), Toward(Q, P, as.O2));
        }
        if (i == 0 && emptyMarker)
            DrawEmptyArrayMarker(dc, (A.x + B.x) / 2, (A.y + B.y) / 2);
    }
    if (attachmentMarker) {
        const ArrayBranchEntry* e = ArrayEntryAt(list, 0);
        RouteSegment s = {e->left + origin.x, e->top + origin.y, e->right + origin.x, e->bottom + origin.y};
        RECT marker;
        GetSegLineMarkerRect(array, s, &marker);
        DrawAttachmentMarker(dc, &marker);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(brush);
    DeleteObject(thinPen);
    DeleteObject(arrowPen);
    DeleteObject(linePen);
}
