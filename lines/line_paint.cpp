#include "lines/line_paint.h"

#include <algorithm>
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

// Bits of a line's arrow-ends word: a marker at the start, at the end.
const int kArrowAtStart = 2;
const int kArrowAtEnd = 1;
// Mid-line kinds 17..19 are drawn as the end kinds 1..3 at the apex.
const int kMidToEndKind = 16;
// On an arc, a marker aims along the curve at least this far.
const int kArcArrowAim = 6;
// Half the length of the chord a sloped arc's mid-line markers point along.
const int kMidArrowReach = 600;

struct Direction {
    double ux;
    double uy;

    POINT Along(POINT p, int d) const { return {p.x + TruncToInt(d * ux), p.y + TruncToInt(d * uy)}; }
};

// What the ends of one line carry: the marker words and how far the stroke
// stops short of each end.
struct LineEndMarkers {
    uint32_t startWord;
    uint32_t endWord;
    int width;
    int size;
    int setback[2];    // stroke setback before the marker (negative: none)
    int displaced[2];  // the marker's own displacement from the end
    bool mid[2];       // drawn in the middle of the line instead
    int ends;          // kArrowAtStart | kArrowAtEnd still to draw
};

LineEndMarkers MarkersOf(const DrawingObject& line)
{
    LineEndMarkers m = {};
    m.startWord = static_cast<uint32_t>(line.startArrow);
    m.endWord = static_cast<uint32_t>(line.endArrow);
    m.width = line.lineWidth;
    m.size = line.arrowSize;
    m.setback[0] = GetArrowSetback(m.startWord, m.size, m.width);
    m.setback[1] = GetArrowSetback(m.endWord, m.size, m.width);
    m.displaced[0] = (m.startWord & kArrowDisplaced) ? kArrowDisplacement : 0;
    m.displaced[1] = (m.endWord & kArrowDisplaced) ? kArrowDisplacement : 0;
    m.mid[0] = IsMidLineArrow(m.startWord) != 0;
    m.mid[1] = IsMidLineArrow(m.endWord) != 0;
    m.ends = line.arrowEnds;
    return m;
}

// The GDI objects one line is drawn with.
struct LinePens {
    HBRUSH brush;
    HPEN stroke;   // none for an invisible line style
    HPEN thin;
    HPEN outline;
    HGDIOBJ oldPen;
    HGDIOBJ oldBrush;
};

LinePens CreateLinePens(HDC dc, COLORREF colour, const DrawingObject& line)
{
    const int width = line.lineWidth;
    const int kThinOutline = 12;
    COLORREF mapped = MapOutputColor(dc, colour, 1);
    LinePens pens = {};
    pens.brush = CreateSolidBrush(mapped);
    pens.stroke = CreateLineStylePen(dc, colour, width, line.lineStyle);
    pens.thin = CreatePen(PS_SOLID, 0, mapped);
    pens.outline = CreatePen(PS_INSIDEFRAME, width <= kThinOutline ? width : width / 2, mapped);
    pens.oldPen = GetCurrentObject(dc, OBJ_PEN);
    pens.oldBrush = GetCurrentObject(dc, OBJ_BRUSH);
    return pens;
}

void DeleteLinePens(HDC dc, const LinePens& pens)
{
    SelectObject(dc, pens.oldBrush);
    SelectObject(dc, pens.oldPen);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pens.brush);
    if (pens.stroke)
        DeleteObject(pens.stroke);
    DeleteObject(pens.thin);
    DeleteObject(pens.outline);
}

void DrawMarkers(HDC dc, int ends, uint32_t first, uint32_t second, const LineEndMarkers& m, POINT a, POINT b,
                 const LinePens& pens)
{
    DrawArrowheads(dc, ends, first, second, m.width, m.size, 0, a.x, a.y, b.x, b.y, pens.brush, pens.thin,
                   pens.outline);
}

// Where a line runs and where its stroke starts and stops.
struct LineCourse {
    POINT start;
    POINT end;
    int direction;
    Direction unit;
    int trim[2];
};

LineCourse CourseOf(const DrawingObject& line, const LineEndMarkers& m)
{
    LineCourse course = {};
    GetLineEnds(&line, &course.start, &course.end);
    course.direction = LineDirectionOf(&line);
    course.trim[0] = (m.ends & kArrowAtStart) ? std::max(m.setback[0], 0) + m.displaced[0] : 0;
    course.trim[1] = (m.ends & kArrowAtEnd) ? std::max(m.setback[1], 0) + m.displaced[1] : 0;
    course.unit = {1.0, 0.0};
    if (course.direction == kLineVertical) {
        course.unit = {0.0, 1.0};
    } else if (course.direction == kLineSloped) {
        double fw = static_cast<double>(line.frame.right) - line.frame.left;
        double fh = static_cast<double>(line.frame.bottom) - line.frame.top;
        double length = std::sqrt(fw * fw + fh * fh);
        // A sloped line of no length (from a file) has no direction.
        double c = length > 0.0 ? fw / length : 0.0;
        double s = length > 0.0 ? fh / length : 0.0;
        course.unit = {c, RunsUp(&line) ? -s : s};
        // A sloped stroke's square end reaches half its width past the trim.
        for (int& t : course.trim)
            if (t)
                t += m.width / 2;
    }
    return course;
}

struct LineOutline {
    POINT points[kLineOutlineCapacity];
    int count;
    int figure;
};

// A straight or bent line: its pieces, mid-line markers on the middle piece,
// then the end markers.
void DrawStraightPieces(HDC dc, const LineOutline& outline, const LineCourse& course, LineEndMarkers& m,
                        const LinePens& pens, int* saved)
{
    const Direction& u = course.unit;
    const int n = outline.count;
    if (n == 0) {
        POINT a = u.Along(course.start, course.trim[0]);
        POINT b = u.Along(course.end, -course.trim[1]);
        DrawLinePiece(dc, pens.stroke, a.x, a.y, b.x, b.y);
    } else {
        for (int i = 0; i + 1 < n; ++i) {
            POINT a = outline.points[i];
            POINT b = outline.points[i + 1];
            if (i == 0)
                a = u.Along(a, course.trim[0]);
            if (i + 1 == n - 1)
                b = u.Along(b, -course.trim[1]);
            DrawLinePiece(dc, pens.stroke, a.x, a.y, b.x, b.y);
        }
        if ((m.mid[0] || m.mid[1]) && m.ends != 0) {
            int middle = (n - 1) / 2;
            DrawMarkers(dc, m.ends, m.mid[0] ? m.startWord : 0, m.mid[1] ? m.endWord : 0, m,
                        outline.points[middle], outline.points[middle + 1], pens);
            if (m.mid[0])
                m.ends &= ~kArrowAtStart;
            if (m.mid[1])
                m.ends &= ~kArrowAtEnd;
        }
    }
    if (*saved)
        RestoreDC(dc, *saved);
    *saved = 0;
    if (m.ends != 0) {
        POINT a = u.Along(course.start, m.displaced[0]);
        POINT b = u.Along(course.end, -m.displaced[1]);
        DrawMarkers(dc, m.ends, (m.ends & kArrowAtStart) ? m.startWord : 0, (m.ends & kArrowAtEnd) ? m.endWord : 0, m,
                    a, b, pens);
    }
}

// End markers of an arc aim along the curve.
void DrawArcEndMarkers(HDC dc, const DrawingObject& line, const LineCourse& course, const LineEndMarkers& m,
                       const LinePens& pens)
{
    double sign = course.direction == kLineVertical ? -1.0 : 1.0;
    if ((m.ends & kArrowAtStart) && !m.mid[0]) {
        POINT tip = course.start;
        if (m.displaced[0])
            RotatePointOnArc(&line, -sign * m.displaced[0], &tip);
        POINT aim = tip;
        RotatePointOnArc(&line, -sign * std::max(m.setback[0], kArcArrowAim), &aim);
        DrawMarkers(dc, kArrowAtStart, m.startWord, 0, m, tip, aim, pens);
    }
    if ((m.ends & kArrowAtEnd) && !m.mid[1]) {
        POINT tip = course.end;
        if (m.displaced[1])
            RotatePointOnArc(&line, sign * m.displaced[1], &tip);
        POINT aim = tip;
        RotatePointOnArc(&line, sign * std::max(m.setback[1], kArcArrowAim), &aim);
        DrawMarkers(dc, kArrowAtEnd, 0, m.endWord, m, aim, tip, pens);
    }
}

// Mid-line markers of an arc sit at its apex, along the line's run.
void DrawArcMidMarkers(HDC dc, const DrawingObject& line, const LineCourse& course, POINT apex,
                       const LineEndMarkers& m, const LinePens& pens)
{
    const Direction& u = course.unit;
    POINT a;
    POINT b;
    if (course.direction == kLineHorizontal) {
        a = {line.frame.left, apex.y};
        b = {line.frame.right, apex.y};
    } else if (course.direction == kLineVertical) {
        a = {apex.x, line.frame.top};
        b = {apex.x, line.frame.bottom};
    } else {
        a = {apex.x - TruncToInt(kMidArrowReach * u.ux), apex.y - TruncToInt(kMidArrowReach * u.uy)};
        b = {apex.x + TruncToInt(kMidArrowReach * u.ux), apex.y + TruncToInt(kMidArrowReach * u.uy)};
    }
    if (m.mid[0] && m.mid[1]) {
        uint32_t first = (m.startWord & 0xFF00) | (ArrowheadKindOf(m.startWord) - kMidToEndKind);
        uint32_t second = (m.endWord & 0xFF00) | (ArrowheadKindOf(m.endWord) - kMidToEndKind);
        DrawMarkers(dc, kArrowAtStart, first, 0, m, apex, b, pens);
        DrawMarkers(dc, kArrowAtEnd, 0, second, m, a, apex, pens);
    } else if (m.mid[0] && (m.ends & kArrowAtStart)) {
        DrawMarkers(dc, kArrowAtStart, m.startWord, 0, m, a, b, pens);
    } else if (m.mid[1] && (m.ends & kArrowAtEnd)) {
        DrawMarkers(dc, kArrowAtEnd, 0, m.endWord, m, a, b, pens);
    }
}

// An arc line: drawn as a chord, an arc or a polyline, then its markers.
void DrawArcPieces(HDC dc, const DrawingObject& line, const LineOutline& outline, const LineCourse& course,
                   const LineEndMarkers& m, const LinePens& pens, int* saved)
{
    const Direction& u = course.unit;
    const POINT* points = outline.points;
    if (outline.figure == kOutlineChord) {
        POINT a = u.Along(course.start, course.trim[0]);
        POINT b = u.Along(course.end, -course.trim[1]);
        DrawLinePiece(dc, pens.stroke, a.x, a.y, b.x, b.y);
    } else if (outline.figure == kOutlineArc) {
        SelectObject(dc, pens.stroke);
        Arc(dc, points[3].x, points[3].y, points[4].x, points[4].y, points[0].x, points[0].y, points[1].x, points[1].y);
    } else if (outline.count > 1) {
        SelectObject(dc, pens.stroke);
        Polyline(dc, points, outline.count);
    }
    if (*saved)
        RestoreDC(dc, *saved);
    *saved = 0;
    const bool anyMid = m.mid[0] || m.mid[1];
    // The outline keeps the apex after its points: third for arcs and chords.
    POINT apex = (outline.figure == kOutlineArc || outline.figure == kOutlineChord) ? points[2] : points[outline.count];
    if (outline.figure == kOutlineChord) {
        if (m.ends != 0 && !anyMid)
            DrawMarkers(dc, m.ends, m.startWord, m.endWord, m, u.Along(course.start, m.displaced[0]),
                        u.Along(course.end, -m.displaced[1]), pens);
    } else {
        DrawArcEndMarkers(dc, line, course, m, pens);
    }
    if (anyMid)
        DrawArcMidMarkers(dc, line, course, apex, m, pens);
}

// A shadow pass moves the line by the shadow offset in its colour; false when
// this line casts no shadow.
bool ApplyShadowOffset(int message, const DrawingRecord* drawing, const int32_t* offset, DrawingObject* line,
                       COLORREF* colour)
{
    int dx = offset ? offset[0] : 0;
    int dy = offset ? offset[1] : 0;
    bool shifted = dx != 0 || dy != 0;
    if (message != kMsgShadowSilhouette && message != kMsgShadowOutline)
        return true;
    bool applies = drawing && (drawing->style.flags & kStyleShadowOnLines);
    if (shifted && (!applies || (line->optionFlags & kOptionHideShadow)))
        return false;
    OffsetRect(&line->frame, dx, dy);
    if (LineDirectionOf(line) == kLineHorizontal)
        line->kindCoordinate += dy;
    else if (LineDirectionOf(line) == kLineVertical)
        line->kindCoordinate += dx;
    if (offset)
        *colour = static_cast<COLORREF>(offset[2]);
    return true;
}

} // namespace

void DrawStraightLine(HDC dc, int message, DrawingRecord* drawing, void* table, int index, int flags,
                      const int32_t* offset)
{
    if (!dc || !table)
        return;
    DrawingObject line = *KindObject(table, index);
    COLORREF colour = line.lineColor;
    if (!ApplyShadowOffset(message, drawing, offset, &line, &colour))
        return;
    const bool shifted = offset && (offset[0] != 0 || offset[1] != 0);
    const bool markerDue = !shifted && !RenderingMetafile && flags == 0 && index >= 0 && drawing &&
                           HasAttachment(drawing->storeSlot, &line);

    LinePens pens = CreateLinePens(dc, colour, line);
    LineEndMarkers markers = MarkersOf(line);
    if (pens.stroke) {
        LineCourse course = CourseOf(line, markers);
        int saved = course.direction == kLineSloped ? SaveDC(dc) : 0;
        LineOutline outline = {};
        ComputeLineOutline(&line, &line.frame, line.kindCoordinate, line.adjust, 0, outline.points, &outline.count,
                           &outline.figure, 0, course.trim);
        if (line.lineType != kLineArc)
            DrawStraightPieces(dc, outline, course, markers, pens, &saved);
        else
            DrawArcPieces(dc, line, outline, course, markers, pens, &saved);
        if (saved)
            RestoreDC(dc, saved);
    }
    if (markerDue) {
        RECT marker;
        GetLineMarkerRect(&line, &marker);
        DrawAttachmentMarker(dc, &marker);
    }
    DeleteLinePens(dc, pens);
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
