#include "lines/line_paint.h"

#include <cmath>

#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/pattern_brushes.h"
#include "lines/arrowheads.h"
#include "lines/line_geometry.h"
#include "lines/line_hit_test.h"
#include "lines/line_outline.h"
#include "lines/line_rects.h"
#include "objects/attachment_marker.h"
#include "objects/drag_feedback.h"
#include "objects/geometry_math.h"
#include "objects/handle_box.h"
#include "objects/kind_messages.h"
#include "objects/link_table.h"
#include "objects/selection_geometry.h"

HPEN CreateLineStylePen(HDC dc, COLORREF colour, int width, int style)
{
    static const int kStyles[4] = {PS_DOT, PS_DASH, PS_DASHDOT, PS_DASHDOTDOT};
    if (style == 0)
        return nullptr;
    COLORREF mapped = MapOutputColor(dc, colour, 1);
    if (style >= 2 && style <= 5)
        return CreatePen(kStyles[style - 2], 0, mapped);
    return CreatePen(PS_SOLID, width, mapped);
}

void DrawLinePiece(HDC dc, HPEN pen, int x1, int y1, int x2, int y2)
{
    if (pen)
        SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

namespace {

struct Direction {
    double ux;
    double uy;
    bool sloped;

    POINT Along(POINT p, int d) const
    {
        if (!sloped)
            return {p.x + TruncToInt(d * ux), p.y + TruncToInt(d * uy)};
        return {p.x + TruncToInt(d * ux), p.y + TruncToInt(d * uy)};
    }
};

} // namespace

void DrawStraightLine(HDC dc, int message, DrawingRecord* drawing, void* table, int index, int flags,
                      const int32_t* offset)
{
    if (!dc || !table)
        return;
    DrawingObject line = *KindObject(table, index);
    int w = line.lineWidth;
    int size = line.arrowSize;
    uint32_t startWord = static_cast<uint32_t>(line.startArrow);
    uint32_t endWord = static_cast<uint32_t>(line.endArrow);
    int s0 = GetArrowSetback(startWord, size, w);
    int s1 = GetArrowSetback(endWord, size, w);
    int w0 = (startWord & kArrowDisplaced) ? kArrowDisplacement : 0;
    int w1 = (endWord & kArrowDisplaced) ? kArrowDisplacement : 0;
    bool m0 = IsMidLineArrow(startWord) != 0;
    bool m1 = IsMidLineArrow(endWord) != 0;
    COLORREF colour = line.lineColor;
    int dx = offset ? offset[0] : 0;
    int dy = offset ? offset[1] : 0;
    bool shifted = dx != 0 || dy != 0;
    if (message == kMsgShadowSilhouette || message == kMsgShadowOutline) {
        bool applies = drawing && (drawing->style.flags & kStyleShadowOnLines);
        if (shifted && (!applies || (line.optionFlags & kOptionHideShadow)))
            return;
        OffsetRect(&line.frame, dx, dy);
        if (LineDirectionOf(&line) == kLineHorizontal)
            line.kindCoordinate += dy;
        else if (LineDirectionOf(&line) == kLineVertical)
            line.kindCoordinate += dx;
        if (offset)
            colour = static_cast<COLORREF>(offset[2]);
    }
    bool markerDue = !shifted && !RenderingMetafile && flags == 0 && index >= 0 && drawing &&
                     HasAttachment(drawing->storeSlot, &line);

    COLORREF mapped = MapOutputColor(dc, colour, 1);
    HBRUSH brush = CreateSolidBrush(mapped);
    HPEN pen = CreateLineStylePen(dc, colour, w, line.lineStyle);
    HPEN thinPen = CreatePen(PS_SOLID, 0, mapped);
    HPEN outlinePen = CreatePen(PS_INSIDEFRAME, w <= 12 ? w : w / 2, mapped);
    HGDIOBJ oldPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ oldBrush = GetCurrentObject(dc, OBJ_BRUSH);

    int e = line.arrowEnds;
    int t0 = (e & 2) ? (s0 > 0 ? s0 : 0) + w0 : 0;
    int t1 = (e & 1) ? (s1 > 0 ? s1 : 0) + w1 : 0;
    if (pen) {
        POINT P0;
        POINT P1;
        GetLineEnds(&line, &P0, &P1);
        int direction = LineDirectionOf(&line);
        Direction u = {1.0, 0.0, false};
        if (direction == kLineVertical) {
            u = {0.0, 1.0, false};
        } else if (direction == kLineSloped) {
            double fw = static_cast<double>(line.frame.right) - line.frame.left;
            double fh = static_cast<double>(line.frame.bottom) - line.frame.top;
            double length = std::sqrt(fw * fw + fh * fh);
            // A sloped line of no length (from a file) has no direction.
            double c = length > 0.0 ? fw / length : 0.0;
            double s = length > 0.0 ? fh / length : 0.0;
            u = {c, RunsUp(&line) ? -s : s, true};
            if (t0)
                t0 += w / 2;
            if (t1)
                t1 += w / 2;
        }
        int saved = direction == kLineSloped ? SaveDC(dc) : 0;
        POINT points[kLineOutlineCapacity];
        int n = 0;
        int figure = 0;
        int trims[2] = {t0, t1};
        ComputeLineOutline(&line, &line.frame, line.kindCoordinate, line.adjust, 0, points, &n, &figure, 0, trims);
        if (line.lineType != kLineArc) {
            if (n == 0) {
                POINT a = u.Along(P0, t0);
                POINT b = u.Along(P1, -t1);
                DrawLinePiece(dc, pen, a.x, a.y, b.x, b.y);
            } else {
                for (int i = 0; i + 1 < n; ++i) {
                    POINT a = points[i];
                    POINT b = points[i + 1];
                    if (i == 0)
                        a = u.Along(a, t0);
                    if (i + 1 == n - 1)
                        b = u.Along(b, -t1);
                    DrawLinePiece(dc, pen, a.x, a.y, b.x, b.y);
                }
                if ((m0 || m1) && e != 0) {
                    int mid = (n - 1) / 2;
                    DrawArrowheads(dc, e, m0 ? startWord : 0, m1 ? endWord : 0, w, size, 0, points[mid].x,
                                   points[mid].y, points[mid + 1].x, points[mid + 1].y, brush, thinPen, outlinePen);
                    if (m0)
                        e &= ~2;
                    if (m1)
                        e &= ~1;
                }
            }
            if (saved)
                RestoreDC(dc, saved);
            saved = 0;
            if (e != 0) {
                POINT a = u.Along(P0, w0);
                POINT b = u.Along(P1, -w1);
                DrawArrowheads(dc, e, (e & 2) ? startWord : 0, (e & 1) ? endWord : 0, w, size, 0, a.x, a.y, b.x, b.y,
                               brush, thinPen, outlinePen);
            }
        } else {
            if (figure == kOutlineChord) {
                POINT a = u.Along(P0, t0);
                POINT b = u.Along(P1, -t1);
                DrawLinePiece(dc, pen, a.x, a.y, b.x, b.y);
            } else if (figure == kOutlineArc) {
                SelectObject(dc, pen);
                Arc(dc, points[3].x, points[3].y, points[4].x, points[4].y, points[0].x, points[0].y, points[1].x,
                    points[1].y);
            } else if (n > 1) {
                SelectObject(dc, pen);
                Polyline(dc, points, n);
            }
            if (saved)
                RestoreDC(dc, saved);
            saved = 0;
            POINT apex = figure == kOutlineArc ? points[2] : (figure == kOutlineChord ? points[2] : points[n]);
            double sign = direction == kLineVertical ? -1.0 : 1.0;
            if (figure == kOutlineChord) {
                if (e != 0 && !(m0 || m1)) {
                    POINT a = u.Along(P0, w0);
                    POINT b = u.Along(P1, -w1);
                    DrawArrowheads(dc, e, startWord, endWord, w, size, 0, a.x, a.y, b.x, b.y, brush, thinPen,
                                   outlinePen);
                }
            } else {
                if ((e & 2) && !m0) {
                    POINT tip = P0;
                    if (w0)
                        RotatePointOnArc(&line, -sign * w0, &tip);
                    POINT dir = tip;
                    RotatePointOnArc(&line, -sign * (s0 > 6 ? s0 : 6), &dir);
                    DrawArrowheads(dc, 2, startWord, 0, w, size, 0, tip.x, tip.y, dir.x, dir.y, brush, thinPen,
                                   outlinePen);
                }
                if ((e & 1) && !m1) {
                    POINT tip = P1;
                    if (w1)
                        RotatePointOnArc(&line, sign * w1, &tip);
                    POINT dir = tip;
                    RotatePointOnArc(&line, sign * (s1 > 6 ? s1 : 6), &dir);
                    DrawArrowheads(dc, 1, 0, endWord, w, size, 0, dir.x, dir.y, tip.x, tip.y, brush, thinPen,
                                   outlinePen);
                }
            }
            if (m0 || m1) {
                POINT a;
                POINT b;
                if (direction == kLineHorizontal) {
                    a = {line.frame.left, apex.y};
                    b = {line.frame.right, apex.y};
                } else if (direction == kLineVertical) {
                    a = {apex.x, line.frame.top};
                    b = {apex.x, line.frame.bottom};
                } else {
                    a = {apex.x - TruncToInt(600 * u.ux), apex.y - TruncToInt(600 * u.uy)};
                    b = {apex.x + TruncToInt(600 * u.ux), apex.y + TruncToInt(600 * u.uy)};
                }
                if (m0 && m1) {
                    uint32_t first = (startWord & 0xFF00) | (ArrowheadKindOf(startWord) - 16);
                    uint32_t second = (endWord & 0xFF00) | (ArrowheadKindOf(endWord) - 16);
                    DrawArrowheads(dc, 2, first, 0, w, size, 0, apex.x, apex.y, b.x, b.y, brush, thinPen,
                                   outlinePen);
                    DrawArrowheads(dc, 1, 0, second, w, size, 0, a.x, a.y, apex.x, apex.y, brush, thinPen,
                                   outlinePen);
                } else if (m0 && (e & 2)) {
                    DrawArrowheads(dc, 2, startWord, 0, w, size, 0, a.x, a.y, b.x, b.y, brush, thinPen, outlinePen);
                } else if (m1 && (e & 1)) {
                    DrawArrowheads(dc, 1, 0, endWord, w, size, 0, a.x, a.y, b.x, b.y, brush, thinPen, outlinePen);
                }
            }
        }
        if (saved)
            RestoreDC(dc, saved);
    }
    if (markerDue) {
        RECT marker;
        GetLineMarkerRect(&line, &marker);
        DrawAttachmentMarker(dc, &marker);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(brush);
    if (pen)
        DeleteObject(pen);
    DeleteObject(thinPen);
    DeleteObject(outlinePen);
}

void DrawLineHandles(HDC dc, DrawingRecord* drawing, void* table, int index)
{
    if (!dc || !table)
        return;
    const DrawingObject* line = KindObject(table, index);
    HBRUSH pattern = PatternBrushes[1];
    if (pattern) {
        UnrealizeObject(pattern);
        POINT zero = {0, 0};
        LPtoDP(dc, &zero, 1);
        SetBrushOrgEx(dc, zero.x % 8, zero.y % 8, nullptr);
        SelectObject(dc, pattern);
    }
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeStoredLineOutline(line, 0, points, &count, &figure, 0, nullptr);
    RECT boxes[kMaxLineTypeHandles];
    int number = 0;
    GetLineAdjustHandleRects(line, points, count, figure, boxes, &number);
    int codes[2];
    GetLineEndHandleCodes(line, &codes[0], &codes[1]);
    bool locked = (line->stateFlags & kStateLocked) != 0;
    bool primary = drawing && index >= 0 && drawing->primarySelected == index;
    for (int end = 0; end < 2; ++end) {
        RECT box;
        GetHandleRect(line, &box, codes[end], nullptr);
        bool attached = FindSlotByConnectPoint(line, end + 1) >= 0;
        DrawHandleBox(dc, &box, locked, primary, attached);
    }
    if (index >= 0)
        DrawRotateHandle(dc, drawing, table, index);
    line = KindObject(table, index);
    for (int i = 0; i < number; ++i)
        DrawHandleBox(dc, &boxes[i], locked, primary, 0);
}
