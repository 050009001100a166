#include "lines/line_adjust.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "lines/arrowheads.h"
#include "lines/line_create.h"
#include "lines/line_geometry.h"
#include "lines/line_outline.h"
#include "lines/line_rects.h"
#include "objects/freeform_outline.h"
#include "objects/geometry_math.h"
#include "objects/object_links.h"

double TrackSavedParameter = 0.0;

void DrawXorLine(HDC dc, int x1, int y1, int x2, int y2, int solid)
{
    if (!dc)
        return;
    int rop = SetROP2(dc, R2_NOT);
    HPEN dotted = solid ? nullptr : CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, solid ? GetStockObject(BLACK_PEN) : dotted);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    SetROP2(dc, rop);
    if (dotted)
        DeleteObject(dotted);
}

void DrawXorLineOutline(HDC dc, const POINT* points, int count, int solid, int figure)
{
    if (!dc || count < 1)
        return;
    int rop = SetROP2(dc, R2_NOT);
    HPEN dotted = solid ? nullptr : CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, solid ? GetStockObject(BLACK_PEN) : dotted);
    if (figure == 2)
        Arc(dc, points[3].x, points[3].y, points[4].x, points[4].y, points[0].x, points[0].y, points[1].x,
            points[1].y);
    else
        Polyline(dc, points, count);
    SelectObject(dc, old);
    SetROP2(dc, rop);
    if (dotted)
        DeleteObject(dotted);
}

double LineParameterFromHandle(DrawingRecord* drawing, const DrawingObject* line, int code, POINT point)
{
    double h = 0.0;
    double D = 0.0;
    const RECT& f = line->frame;
    bool arc = line->lineType == 3;
    int c = line->kindCoordinate;
    if (code >= 60 && code <= 63) {
        if (code == 60)
            h = arc ? c - point.x : point.x - c;
        else if (code == 61)
            h = c - point.x;
        else if (code == 62)
            h = c - point.y;
        else
            h = point.y - c;
        D = (code <= 61) ? f.bottom - f.top : f.right - f.left;
    } else {
        double dx = static_cast<double>(f.right) - f.left;
        double dy = static_cast<double>(f.bottom) - f.top;
        D = std::sqrt(dx * dx + dy * dy);
        if (!(D > 0.0))
            return 0.25;
        POINT s;
        POINT e;
        GetLineEnds(line, &s, &e);
        double u = (e.x - s.x) / D;
        double v = (e.y - s.y) / D;
        double ox = point.x - s.x;
        double oy = point.y - s.y;
        h = TruncToInt(ox * v) + TruncToInt(oy * -u);
        if (code == 65 || code == 67)
            h = -h;
    }
    if (arc) {
        double result = h;
        DrawingObject copy = *line;
        copy.adjust = result;
        POINT points[kLineOutlineCapacity];
        int count = 0;
        int figure = 0;
        ComputeStoredLineOutline(&copy, line->lineWidth + 24, points, &count, &figure, 1, nullptr);
        if (figure == 0 && drawing) {
            for (int i = 0; i < count; ++i) {
                if (points[i].x < 0 || points[i].x > drawing->width || points[i].y < 0 ||
                    points[i].y > drawing->height) {
                    result = TrackSavedParameter;
                    break;
                }
            }
        }
        TrackSavedParameter = result;
        return result;
    }
    if (h < 0.0)
        h = 0.0;
    if (D > 1200.0)
        D = 1200.0;
    // A line of no length keeps the default share.
    double share = D > 0.0 ? 2.0 * h / D : 0.25;
    if (share < 0.1)
        share = 0.1;
    if (share > 0.5)
        share = 0.5;
    return share;
}

void DrawLineAdjustFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int code, const POINT* point)
{
    if (!point)
        return;
    const DrawingObject* line = KindObject(table, index);
    if (line->lineType == 0)
        return;
    double saved = TrackSavedParameter;
    double parameter = LineParameterFromHandle(drawing, line, code, *point);
    TrackSavedParameter = saved;
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeLineOutline(line, &line->frame, line->kindCoordinate, parameter, 0, points, &count, &figure, 0, nullptr);
    if (count == 0)
        return;
    if (line->lineType == 3) {
        DrawXorLineOutline(dc, points, figure == 2 ? 2 : count, 0, figure);
        return;
    }
    for (int i = 0; i + 1 < count; ++i)
        DrawXorLine(dc, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, 0);
}

ErrorCode SetLineParameterFromHandle(DrawingRecord* drawing, void* table, int index, int code, const POINT* point)
{
    if (!point)
        return kErrNone;
    DrawingObject* line = KindObject(table, index);
    line->adjust = LineParameterFromHandle(drawing, line, code, *point);
    RecalcLineRects(drawing, line);
    return kErrNone;
}

ErrorCode FlipLine(DrawingRecord* drawing, void* table, int index, uint32_t flags)
{
    DrawingObject* line = KindObject(table, index);
    int label = -1;
    int oldAngle = 0;
    if (index >= 0 && line->labelPartnerId != kNoObjectId && !(line->stateFlags & kStateAttached)) {
        label = FindObjectIndex(table, line->labelPartnerId, line->labelPartnerHint);
        oldAngle = ComputeLineAngle(line, nullptr);
    }
    bool arc = line->lineType == 3;
    int direction = LineDirectionOf(line);
    bool exchange = false;
    if (direction == kLineHorizontal) {
        if (flags & 0x10) {
            if (arc)
                line->adjust = -line->adjust;
            RecalcLineRects(drawing, line);
            return kErrNone;
        }
        exchange = (flags & 0x08) != 0;
    } else if (direction == kLineVertical) {
        if (flags & 0x08) {
            if (arc)
                line->adjust = -line->adjust;
            RecalcLineRects(drawing, line);
            return kErrNone;
        }
        exchange = (flags & 0x10) != 0;
    } else {
        line->stateFlags ^= kStateOtherDiagonal;
        line->groupingStateFlags ^= kStateOtherDiagonal;
        if (flags & 0x10) {
            if (arc)
                line->adjust = -line->adjust;
        } else {
            exchange = (flags & 0x08) != 0;
        }
    }
    if (exchange) {
        std::swap(line->startArrow, line->endArrow);
        for (int i = 0; i < SlotsInUse(line); ++i) {
            int& code = line->links[i].connectCode;
            code = code == 1 ? 2 : (code == 2 ? 1 : code);
        }
    }
    line->arrowEnds = RebuildArrowEnds(&line->startArrow, &line->endArrow);
    RecalcLineRects(drawing, line);
    if (label >= 0) {
        int angle = ComputeLineAngle(ObjectAt(table, index), nullptr);
        if (angle != oldAngle)
            TurnGuestToAngle(drawing, table, label, angle);
        if (exchange)
            MirrorGuestAnchor(&ObjectAt(table, label)->links[0]);
    }
    return kErrNone;
}

void SetLineTypeFromSegment(DrawingRecord* drawing, void* table, int index, int vertex, const unsigned char* block)
{
    if (!block || vertex < 0)
        return;
    const FreeformVertex* entry = FreeformVertexAt(const_cast<unsigned char*>(block), vertex);
    DrawingObject* line = KindObject(table, index);
    int32_t type = entry->lineType;
    double parameter = entry->parameter;
    line->lineType = type >= 0 && type <= 3 ? type : 0;
    line->adjust = parameter;
    RecalcLineRects(drawing, line);
}

void RotatePointOntoLine(const DrawingObject* line, POINT* point)
{
    const RECT& f = line->frame;
    bool up = RunsUp(line);
    double ox = point->x - f.left;
    double oy = up ? f.bottom - point->y : point->y - f.top;
    double dx = static_cast<double>(f.right) - f.left;
    double dy = static_cast<double>(f.bottom) - f.top;
    if (ox == 0.0 || oy == 0.0 || dx == 0.0 || dy == 0.0)
        return;
    double C = std::atan(oy / ox) - std::atan(dy / dx);
    double along = oy * std::cos(C) - ox * std::sin(C);
    point->x = f.left + TruncToInt(ox * std::cos(C) + oy * std::sin(C));
    point->y = up ? f.bottom - TruncToInt(along) : f.top + TruncToInt(along);
}
