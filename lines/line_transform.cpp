#include "lines/line_transform.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "common/rect_helpers.h"
#include "lines/arrowheads.h"
#include "lines/line_adjust.h"
#include "lines/line_create.h"
#include "lines/line_geometry.h"
#include "lines/line_hit_test.h"
#include "lines/line_outline.h"
#include "lines/line_rects.h"
#include "common/rect_handle_point.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/freeform_outline.h"
#include "objects/geometry_math.h"
#include "objects/groups.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/point_transforms.h"
#include "objects/selection_geometry.h"
#include "objects/shape_outlines.h"
#include "text/object_text_helpers.h"

namespace {

// Points along a line are stored as fractions of its frame in this many parts.
const int kLineFraction = 600;
const double kLineFractionD = 600.0;
// Asks GetLineRotationHandle for the handle whatever the line's length.
const int kRotationHandleAlways = 2;
// A loose line shorter than this both ways has no rotation handle.
const int kShortestTurnableLine = 323;
// The rotation handle sits this far back from the line's end, in a box of
// this side.
const int kRotationHandleSetback = 84;
const int kRotationHandleSide = 54;
// Handle codes of the end a rotation handle sits by, and the handle's own
// hit codes by the line's direction.
const int kHandleHorizontalEnd = 21;
const int kHandleVerticalEnd = 23;
const int kHandleSlopedEnd = 27;
const int kRotateHorizontalHit = 142;
const int kRotateVerticalHit = 143;
const int kRotateRisingHit = 144;
const int kRotateFallingHit = 145;
// Half of an adjust handle's box; an arc's apex that moved more than half
// of that flipped sides.
const int kAdjustHandleHalf = 24;
const int kApexMoveTolerance = 12;
// Angles are in tenths of a degree; a snapped turn goes in 15-degree steps.
const int kSnapTurnStep = 150;
const int kQuarterTurn = 900;
// A label's anchor at the middle of its line, when it has no link.
const int kMiddleAnchor = 209;

// The turn from `angle` by `delta`, ending on the nearest snap step.
int SnapTurn(int angle, int delta)
{
    const int half = kSnapTurnStep / 2;
    const int snapped = (angle + delta + (delta < 0 ? -half : half)) / kSnapTurnStep * kSnapTurnStep;
    return snapped - angle;
}

// A line copy laid in `rect` for feedback.
DrawingObject LineInRect(const DrawingObject* line, const RECT* rect, int direction, int x, int y)
{
    DrawingObject copy = *line;
    copy.frame = *rect;
    copy.shapeType = direction;
    copy.kindCoordinate = direction == kLineHorizontal ? rect->top : rect->left;
    bool mainCorner = (x == rect->left && y == rect->top) || (x == rect->right && y == rect->bottom);
    if (direction == kLineSloped && !mainCorner)
        copy.stateFlags |= kStateOtherDiagonal;
    else
        copy.stateFlags &= ~kStateOtherDiagonal;
    return copy;
}

bool DrawArcCopy(HDC dc, const DrawingObject* copy)
{
    POINT points[kLineOutlineCapacity];
    int count = 0;
    int figure = 0;
    ComputeStoredLineOutline(copy, 0, points, &count, &figure, 0, nullptr);
    if (count == 0)
        return false;
    DrawXorLineOutline(dc, points, figure == 2 ? 2 : count, 0, figure);
    return true;
}

void SwapSlotCodes(DrawingObject* line)
{
    for (int i = 0; i < SlotsInUse(line); ++i) {
        int& code = line->links[i].connectCode;
        code = code == 1 ? 2 : (code == 2 ? 1 : code);
    }
}

} // namespace

void DrawLineResizeFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int x, int y, const RECT* rect)
{
    if (!dc || !rect)
        return;
    int d = ClassifyDirection(rect, HookedDragInProgress(drawing) ? 0 : 1);
    if (index >= 0 && table) {
        const DrawingObject* line = KindObject(table, index);
        if (line->lineType == kLineArc) {
            DrawingObject copy = LineInRect(line, rect, d, x, y);
            if (ArcDirectionFlipped(line, rect, x, y))
                copy.adjust = -copy.adjust;
            if (DrawArcCopy(dc, &copy))
                return;
        }
    }
    if (d == kLineVertical) {
        DrawXorLine(dc, x, rect->bottom, x, rect->top, 1);
    } else if (d == kLineHorizontal) {
        DrawXorLine(dc, rect->left, y, rect->right, y, 1);
    } else if (x == rect->left && y == rect->bottom) {
        DrawXorLine(dc, rect->left, rect->bottom, rect->right, rect->top, 1);
    } else if (x == rect->left && y == rect->top) {
        DrawXorLine(dc, rect->left, rect->top, rect->right, rect->bottom, 1);
    } else if (x == rect->right && y == rect->bottom) {
        DrawXorLine(dc, rect->right, rect->bottom, rect->left, rect->top, 1);
    } else {
        DrawXorLine(dc, rect->right, rect->top, rect->left, rect->bottom, 1);
    }
}

void DrawLineMoveFeedback(HDC dc, DrawingRecord*, void* table, int index, const RECT* rect)
{
    if (!dc || !rect || !table)
        return;
    const DrawingObject* line = KindObject(table, index);
    int direction = LineDirectionOf(line);
    if (line->lineType == kLineArc) {
        DrawingObject copy = *line;
        copy.frame = *rect;
        copy.kindCoordinate = direction == kLineHorizontal ? rect->top : rect->left;
        if (DrawArcCopy(dc, &copy))
            return;
    }
    if (direction == kLineHorizontal)
        DrawXorLine(dc, rect->left, rect->top, rect->right, rect->top, 0);
    else if (direction == kLineVertical)
        DrawXorLine(dc, rect->left, rect->bottom, rect->left, rect->top, 0);
    else if (RunsUp(line))
        DrawXorLine(dc, rect->left, rect->bottom, rect->right, rect->top, 0);
    else
        DrawXorLine(dc, rect->left, rect->top, rect->right, rect->bottom, 0);
}

int GetLineRotationHandle(DrawingRecord*, void* table, int index, int flags, POINT* centre, RECT* box)
{
    const DrawingObject* line = KindObject(table, index);
    const RECT& f = line->frame;
    if (!(flags & kRotationHandleAlways) &&
        (SlotsInUse(line) > 0 || (f.right - f.left <= kShortestTurnableLine && f.bottom - f.top <= kShortestTurnableLine)))
        return 0;
    RECT r;
    int code;
    double dx = static_cast<double>(f.right) - f.left;
    double dy = static_cast<double>(f.bottom) - f.top;
    double L = std::sqrt(dx * dx + dy * dy);
    switch (LineDirectionOf(line)) {
    case kLineHorizontal:
        GetHandleRect(line, &r, kHandleHorizontalEnd, nullptr);
        OffsetRect(&r, -kRotationHandleSetback, 0);
        code = kRotateHorizontalHit;
        break;
    case kLineVertical:
        GetHandleRect(line, &r, kHandleVerticalEnd, nullptr);
        OffsetRect(&r, 0, -kRotationHandleSetback);
        code = kRotateVerticalHit;
        break;
    default:
        if (RunsUp(line)) {
            r = {f.right - kRotationHandleSide, f.top, f.right, f.top + kRotationHandleSide};
            const int half = kRotationHandleSide / 2;
            if (!(flags & kRotationHandleAlways) && L > 0.0)
                OffsetRect(&r, TruncToInt(-kRotationHandleSetback * dx / L) + half,
                           TruncToInt(kRotationHandleSetback * dy / L) - half);
            code = kRotateRisingHit;
        } else {
            GetHandleRect(line, &r, kHandleSlopedEnd, nullptr);
            if (!(flags & kRotationHandleAlways) && L > 0.0)
                OffsetRect(&r, TruncToInt(-kRotationHandleSetback * dx / L),
                           -TruncToInt(kRotationHandleSetback * dy / L));
            code = kRotateFallingHit;
        }
        break;
    }
    if (box)
        *box = r;
    if (centre)
        *centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return code;
}

void RotateLineBy(DrawingRecord* drawing, void* table, int index, int delta)
{
    DrawingObject* line = KindObject(table, index);
    const RECT f = line->frame;
    RECT C = f;
    bool arc = line->lineType == kLineArc && TruncToInt(line->adjust) != 0;
    POINT apex = {0, 0};
    if (arc) {
        POINT points[kLineOutlineCapacity];
        int count = 0;
        int figure = 0;
        ComputeStoredLineOutline(line, 0, points, &count, &figure, 0, nullptr);
        RECT boxes[kMaxLineTypeHandles];
        int number = 0;
        GetLineAdjustHandleRects(line, points, count, figure, boxes, &number);
        if (number > 0)
            apex = {boxes[0].left + kAdjustHandleHalf, boxes[0].top + kAdjustHandleHalf};
        else
            arc = false;
    }
    int direction = LineDirectionOf(line);
    bool up = RunsUp(line);
    int top = direction == kLineHorizontal ? line->kindCoordinate : f.top;
    int bottom = direction == kLineHorizontal ? line->kindCoordinate : f.bottom;
    int left = direction == kLineVertical ? line->kindCoordinate : f.left;
    int right = direction == kLineVertical ? line->kindCoordinate : f.right;
    POINT ends[2] = {{up ? right : left, top}, {up ? left : right, bottom}};
    RotatePoints(&C, delta, ends, 2);
    RECT frame;
    SetRectFromPoints(&frame, ends[0].x, ends[0].y, ends[1].x, ends[1].y);
    line->frame = frame;
    line->bounds = frame;
    line->inner = frame;
    line->textFrame = frame;
    POINT E = up ? ends[0] : ends[1];
    int sideE = SideCodeOnRect(&frame, E.x, E.y);
    bool swap = sideE == 1 || sideE == 3;
    line->shapeType = ClassifyDirection(&frame, 1);
    POINT centre = {f.left + (f.right - f.left) / 2, f.top + (f.bottom - f.top) / 2};
    if (line->shapeType == kLineHorizontal) {
        line->kindCoordinate = centre.y;
        line->stateFlags &= ~kStateOtherDiagonal;
    } else if (line->shapeType == kLineVertical) {
        line->kindCoordinate = centre.x;
        line->stateFlags &= ~kStateOtherDiagonal;
        swap = sideE == 1 || sideE == 2;
    } else {
        int sideT = SideCodeOnRect(&frame, ends[0].x, ends[0].y);
        if (sideT != 1 && sideT != 4)
            line->stateFlags |= kStateOtherDiagonal;
        else
            line->stateFlags &= ~kStateOtherDiagonal;
    }
    if (swap) {
        std::swap(line->startArrow, line->endArrow);
        SwapSlotCodes(line);
        line->arrowEnds = RebuildArrowEnds(&line->startArrow, &line->endArrow);
    }
    if (arc) {
        RECT newFrame = line->frame;
        RotatePoints(&newFrame, delta, &apex, 1);
        POINT points[kLineOutlineCapacity];
        int count = 0;
        int figure = 0;
        ComputeStoredLineOutline(line, 0, points, &count, &figure, 0, nullptr);
        RECT boxes[kMaxLineTypeHandles];
        int number = 0;
        GetLineAdjustHandleRects(line, points, count, figure, boxes, &number);
        if (number > 0) {
            POINT now = {boxes[0].left + kAdjustHandleHalf, boxes[0].top + kAdjustHandleHalf};
            if (std::abs(now.x - apex.x) > kApexMoveTolerance || std::abs(now.y - apex.y) > kApexMoveTolerance)
                line->adjust = -line->adjust;
        }
    }
    RecalcLineRects(drawing, line);
    if (drawing)
        MarkLinksOf(drawing, line->objectId, kLinkTargetMoved | kLinkRechoosePoint, line->groupKey, line->groupIndex);
}

ErrorCode RotateLineToPoint(DrawingRecord* drawing, void* table, int index, const POINT* point)
{
    if (!point)
        return kErrNone;
    DrawingObject* line = KindObject(table, index);
    if (drawing && line->groupIndex >= 0) {
        int row = FindGroup(drawing, line->groupKey, line->groupIndex, 0);
        line->groupIndex = row;
    }
    int A = ComputeLineAngle(line, nullptr);
    POINT H;
    GetLineRotationHandle(drawing, table, index, kRotationHandleAlways, &H, nullptr);
    const RECT& f = line->frame;
    POINT C = {f.left + (f.right - f.left) / 2, f.top + (f.bottom - f.top) / 2};
    int delta = ComputeAngleBetween(C.x, C.y, H.x, H.y, point->x, point->y);
    if (drawing && (drawing->flags & kDrawingSnap) && line->groupIndex < 0)
        delta = SnapTurn(A, delta);
    if (delta != 0)
        RotateLineBy(drawing, table, index, delta);
    return kErrNone;
}

void SetLineRotation(DrawingRecord* drawing, void* table, int index, int angle)
{
    int A = ComputeLineAngle(KindObject(table, index), nullptr);
    if (angle != A)
        RotateLineBy(drawing, table, index, angle - A);
}

void DrawLineRotateFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int x, int y, const RECT* rect)
{
    if (!dc || !rect || index < 0)
        return;
    const DrawingObject* line = KindObject(table, index);
    const int A = ComputeLineAngle(line, nullptr);
    POINT H;
    if (!GetLineRotationHandle(drawing, table, index, 0, &H, nullptr))
        GetLineRotationHandle(drawing, table, index, kRotationHandleAlways, &H, nullptr);
    POINT pointer;
    GetRectHandlePoint(rect, GetOppositeSide(SideCodeOnRect(rect, x, y)), &pointer);
    const RECT& f = line->frame;
    POINT C = {f.left + (f.right - f.left) / 2, f.top + (f.bottom - f.top) / 2};
    int delta = ComputeAngleBetween(C.x, C.y, H.x, H.y, pointer.x, pointer.y);
    if (drawing && (drawing->flags & kDrawingSnap))
        delta = SnapTurn(A, delta);
    DrawingObject copy = *line;
    RotateLineBy(nullptr, &copy, -1, delta);
    if (copy.lineType == kLineArc && DrawArcCopy(dc, &copy))
        return;
    POINT s;
    POINT e;
    GetLineEnds(&copy, &s, &e);
    DrawXorLine(dc, s.x, s.y, e.x, e.y, 0);
}

void GetLineRotationReference(void* table, int index, int* angle, RECT* rect)
{
    const DrawingObject* line = KindObject(table, index);
    const RECT& f = line->frame;
    int a = 0;
    RECT r;
    switch (LineDirectionOf(line)) {
    case kLineHorizontal:
        r = {f.left, line->kindCoordinate, f.right, line->kindCoordinate};
        break;
    case kLineVertical:
        r = {line->kindCoordinate, f.top, line->kindCoordinate, f.bottom};
        a = kQuarterTurn;
        break;
    default: {
        POINT C = {f.left + (f.right - f.left) / 2, f.top + (f.bottom - f.top) / 2};
        double dx = static_cast<double>(f.right) - f.left;
        double dy = static_cast<double>(f.bottom) - f.top;
        int h = TruncToInt(std::sqrt(dx * dx + dy * dy) / 2.0);
        r = {C.x - h, C.y, C.x + h, C.y};
        POINT end = RunsUp(line) ? POINT{f.right, f.top} : POINT{f.right, f.bottom};
        a = ComputeAngleBetween(C.x, C.y, C.x + h, C.y, end.x, end.y);
        break;
    }
    }
    if (angle)
        *angle = a;
    if (rect)
        *rect = r;
}

int RotateLineInGroupRect(DrawingRecord* drawing, void* table, int index, int dx, int dy, RECT* rect)
{
    if (!drawing || !rect)
        return 0;
    const DrawingObject* line = KindObject(table, index);
    if (line->groupIndex < 0)
        return 0;
    int row = FindGroup(drawing, line->groupKey, line->groupIndex, 0);
    if (row < 0)
        return 0;
    LockedTable groups(drawing, kTableGroups);
    if (!groups.Get() || row >= groups.Count())
        return 0;
    GroupEntry* group = GroupEntryAt(groups.Get(), row);
    if (group->rotation == 0)
        return 0;
    int d = ClassifyDirection(rect, 1);
    if (d == kLineHorizontal)
        dy = 0;
    else if (d == kLineVertical)
        dx = 0;
    rect->right += dx;
    rect->bottom += dy;
    bool up = (line->groupingStateFlags & kStateOtherDiagonal) != 0;
    POINT ends[2] = {{rect->left, up ? rect->bottom : rect->top}, {rect->right, up ? rect->top : rect->bottom}};
    RotatePoints(&group->frame, group->rotation, ends, 2);
    SetRectFromPoints(rect, ends[0].x, ends[0].y, ends[1].x, ends[1].y);
    return 1;
}

void SetTextAlongLine(DrawingRecord* drawing, void* table, int index, const int32_t* value)
{
    if (!value || index < 0)
        return;
    DrawingObject* line = ObjectAt(table, index);
    bool on = value[1] != 0;
    if (((line->textRoleFlags & kGuestStaysHorizontal) != 0) == on)
        return;
    if (on)
        line->textRoleFlags |= kGuestStaysHorizontal;
    else
        line->textRoleFlags &= ~kGuestStaysHorizontal;
    if (line->labelPartnerId == kNoObjectId || (line->stateFlags & kStateAttached))
        return;
    int guest = FindObjectIndex(table, line->labelPartnerId, line->labelPartnerHint);
    if (guest < 0)
        return;
    DrawingObject* label = ObjectAt(table, guest);
    int code = SlotsInUse(label) > 0 ? label->links[0].connectCode : kMiddleAnchor;
    int angle = 0;
    CallObjectKind(nullptr, drawing, table, index, kMsgLineAngle, code, 1, reinterpret_cast<INT_PTR>(&angle));
    if (on)
        angle = 0;
    else
        ObjectAt(table, guest)->optionFlags &= ~kOptionNoTransform;
    TurnGuestToAngle(drawing, table, guest, angle);
    if (on)
        ObjectAt(table, guest)->optionFlags |= kOptionNoTransform;
}

void MapPointToLineHook(DrawingRecord* drawing, void* table, int index, int flags, int* word, POINT* point)
{
    if (!word || !point)
        return;
    DrawingObject* line = KindObject(table, index);
    if (*word == 0) {
        *word = 1;
        *point = {line->lastHookPoint[0], line->lastHookPoint[1]};
        return;
    }
    *word = 1;
    const RECT& f = line->frame;
    double dx = static_cast<double>(f.right) - f.left;
    double dy = static_cast<double>(f.bottom) - f.top;
    bool snap = drawing && (drawing->flags & kDrawingSnap);
    bool arc = line->lineType == kLineArc;
    POINT p = *point;
    auto clampX = [&](int v) { return v < f.left ? f.left : (v > f.right ? f.right : v); };
    auto clampY = [&](int v) { return v < f.top ? f.top : (v > f.bottom ? f.bottom : v); };
    int direction = LineDirectionOf(line);
    POINT result;
    if (direction == kLineHorizontal || direction == kLineVertical) {
        double t;
        if (direction == kLineHorizontal) {
            if (snap && !arc)
                p.x = clampX(p.x);
            t = dx != 0.0 ? (p.x - f.left) / dx : 0.0;
        } else {
            if (snap && !arc)
                p.y = clampY(p.y);
            t = dy != 0.0 ? (p.y - f.top) / dy : 0.0;
        }
        result = {TruncToInt(t * kLineFractionD), TruncToInt(t * kLineFractionD)};
    } else {
        if (arc)
            RotatePointOntoLine(line, &p);
        bool up = RunsUp(line);
        POINT moved;
        if ((flags & 4) || (dx != 0.0 && dy / dx > 1.0) || dx == 0.0) {
            if (snap)
                p.y = clampY(p.y);
            double v = up ? f.bottom - p.y : p.y - f.top;
            moved = {f.left + (dy != 0.0 ? TruncToInt(dx * v / dy) : 0), TruncToInt(f.top + v)};
        } else {
            if (snap)
                p.x = clampX(p.x);
            double u = p.x - f.left;
            moved = {p.x, f.top + TruncToInt(dy * u / dx)};
        }
        result = {dx != 0.0 ? TruncToInt(kLineFractionD * (moved.x - f.left) / dx) : 0,
                  dy != 0.0 ? TruncToInt(kLineFractionD * (moved.y - f.top) / dy) : 0};
    }
    *point = result;
    if (!(line->stateFlags & kStateHookMarkers)) {
        line->lastHookPoint[0] = result.x;
        line->lastHookPoint[1] = result.y;
    }
}

void MapBoxPointsOntoLine(void* table, int index, int count, POINT* points, int noArc)
{
    if (!points)
        return;
    const DrawingObject* line = KindObject(table, index);
    const RECT& f = line->frame;
    int dx = f.right - f.left;
    int dy = f.bottom - f.top;
    int direction = LineDirectionOf(line);
    for (int i = 0; i < count; ++i) {
        int bx = points[i].x;
        int by = points[i].y;
        POINT p;
        if (direction == kLineHorizontal)
            p = {f.left + TruncToInt(static_cast<double>(dx) * bx / kLineFractionD), line->kindCoordinate};
        else if (direction == kLineVertical)
            p = {line->kindCoordinate, f.top + TruncToInt(static_cast<double>(dy) * by / kLineFractionD)};
        else if (RunsUp(line))
            p = {f.left + TruncToInt(static_cast<double>(dx) * bx / kLineFractionD),
                 f.bottom - TruncToInt(static_cast<double>(dy) * by / kLineFractionD)};
        else
            p = {f.left + TruncToInt(static_cast<double>(dx) * bx / kLineFractionD),
                 f.top + TruncToInt(static_cast<double>(dy) * by / kLineFractionD)};
        if (line->lineType == kLineArc && !noArc)
            ProjectPointOntoArc(line, &p);
        points[i] = p;
    }
}

void GetLineConnectPoints(void* table, int index, int* count, POINT* points)
{
    if (!count || !points)
        return;
    const DrawingObject* line = KindObject(table, index);
    *count = 2;
    points[0] = {0, 0};
    switch (LineDirectionOf(line)) {
    case kLineHorizontal:
        points[1] = {kLineFraction, 0};
        break;
    case kLineVertical:
        points[1] = {0, kLineFraction};
        break;
    default:
        points[1] = {kLineFraction, kLineFraction};
        break;
    }
}

void GetLineEndOfHandle(void* table, int index, int code, int32_t* end)
{
    if (!end)
        return;
    const DrawingObject* line = KindObject(table, index);
    int direction = LineDirectionOf(line);
    if (direction == kLineSloped) {
        if (code == 5)
            code = RunsUp(line) ? 2 : 1;
        else if (code == 6)
            code = RunsUp(line) ? 1 : 2;
    } else if (direction == kLineVertical) {
        if (code == 1 || code == 2)
            code = 22;
        else if (code == 3 || code == 4)
            code = 23;
    }
    switch (code) {
    case 1: case 3: case 5: case 20: case 22: case 24: case 26:
        *end = 1;
        break;
    case 2: case 4: case 6: case 21: case 23: case 25: case 27:
        *end = 2;
        break;
    default:
        *end = -1;
        break;
    }
}

void GetLineEndPoint(void* table, int index, int end, POINT* point)
{
    if (!point)
        return;
    POINT s;
    POINT e;
    GetLineEnds(KindObject(table, index), &s, &e);
    *point = end == 1 ? s : e;
}

int GetSideOfLine(void* table, int index, const POINT* reference, const POINT* point)
{
    if (!point)
        return 0;
    const DrawingObject* line = KindObject(table, index);
    const RECT& f = line->frame;
    int direction = LineDirectionOf(line);
    POINT ref = reference ? *reference : *point;
    if (direction == kLineVertical || (direction == kLineSloped && f.right - f.left < f.bottom - f.top)) {
        int x = direction == kLineVertical ? line->kindCoordinate : ref.x;
        return point->x >= x ? 8 : 7;
    }
    int y = direction == kLineHorizontal ? line->kindCoordinate : ref.y;
    return point->y >= y ? 6 : 5;
}

void MoveLineFrameByHandle(void* table, int index, int code, POINT* delta, RECT* rect)
{
    if (!delta || !rect)
        return;
    const DrawingObject* line = KindObject(table, index);
    RECT r = line->frame;
    int direction = LineDirectionOf(line);
    if (direction == kLineHorizontal)
        r.top = r.bottom = line->kindCoordinate;
    else if (direction == kLineVertical)
        r.left = r.right = line->kindCoordinate;
    int dx = delta->x;
    int dy = delta->y;
    switch (code) {
    case 2: case 5:
        r.left += dx;
        r.bottom += dy;
        if (r.left == r.right) { --r.left; --dx; }
        if (r.bottom == r.top) { ++r.bottom; ++dy; }
        break;
    case 3: case 6:
        r.right += dx;
        r.top += dy;
        if (r.right == r.left) { ++r.right; ++dx; }
        if (r.top == r.bottom) { --r.top; --dy; }
        break;
    case 4: case 8:
        r.left += dx;
        r.top += dy;
        if (r.left == r.right) { --r.left; --dx; }
        if (r.top == r.bottom) { --r.top; --dy; }
        break;
    default:
        r.right += dx;
        r.bottom += dy;
        if (r.right == r.left) { ++r.right; ++dx; }
        if (r.bottom == r.top) { ++r.bottom; ++dy; }
        break;
    }
    if (direction == kLineHorizontal && dy == 0)
        r.top = r.bottom = line->kindCoordinate;
    if (direction == kLineVertical && dx == 0)
        r.left = r.right = line->kindCoordinate;
    SetRectFromPoints(rect, r.left, r.top, r.right, r.bottom);
    delta->x = dx;
    delta->y = dy;
}

void GetLineSize(void* table, int index, int32_t* size)
{
    if (!size)
        return;
    const DrawingObject* line = KindObject(table, index);
    const RECT& f = line->frame;
    int direction = LineDirectionOf(line);
    size[0] = direction == kLineVertical ? 0 : f.right - f.left;
    size[1] = direction == kLineHorizontal ? 0 : f.bottom - f.top;
}

void GetLineBoxRect(void* table, int index, int flag, RECT* rect)
{
    if (!rect)
        return;
    const DrawingObject* line = KindObject(table, index);
    if (line->lineType != kLinePlain && flag) {
        *rect = line->bounds;
        InflateRect(rect, -kAdjustHandleHalf, -kAdjustHandleHalf);
        return;
    }
    *rect = line->frame;
    int direction = LineDirectionOf(line);
    if (direction == kLineHorizontal) {
        rect->top = line->kindCoordinate;
        rect->bottom = line->kindCoordinate + 1;
    } else if (direction == kLineVertical) {
        rect->left = line->kindCoordinate;
        rect->right = line->kindCoordinate + 1;
    }
}

void GetLineExtentRect(void* table, int index, RECT* rect)
{
    if (!rect)
        return;
    const DrawingObject* line = KindObject(table, index);
    *rect = line->frame;
    int direction = LineDirectionOf(line);
    if (direction == kLineHorizontal)
        rect->top = rect->bottom = line->kindCoordinate;
    else if (direction == kLineVertical)
        rect->left = rect->right = line->kindCoordinate;
}

int GetLineOutlinePoints(RECT* accumulator, void* table, int index, int* count, POINT* points)
{
    if (!points)
        return 2;
    const DrawingObject* line = KindObject(table, index);
    POINT ends[2] = {{0, 0}, {kLineFraction, kLineFraction}};
    MapBoxPointsOntoLine(table, index, 2, ends, 1);
    points[0] = ends[0];
    points[1] = ends[1];
    auto grow = [&](POINT p) {
        if (!accumulator)
            return;
        if (p.x < accumulator->left) accumulator->left = p.x;
        if (p.y < accumulator->top) accumulator->top = p.y;
        if (p.x > accumulator->right) accumulator->right = p.x;
        if (p.y > accumulator->bottom) accumulator->bottom = p.y;
    };
    grow(ends[0]);
    grow(ends[1]);
    if (count) {
        *count = 2;
        if (line->lineType != kLinePlain) {
            POINT outline[kLineOutlineCapacity];
            int n = 0;
            int figure = 0;
            ComputeStoredLineOutline(line, line->lineWidth, outline, &n, &figure, 1, nullptr);
            for (int i = 0; i < n; ++i)
                grow(outline[i]);
            *count = n > 0 ? n : 2;
        }
    }
    return 2;
}

void GetLineTypeInfo(void* table, int index, int32_t* entry)
{
    if (!entry)
        return;
    const DrawingObject* line = KindObject(table, index);
    entry[0] = line->kind;
    entry[1] = line->shapeType;
    entry[2] = line->lineType;
    std::memcpy(&entry[3], &line->adjust, sizeof(double));
}

void AppendLineOutline(const RECT* segment, const unsigned char* list, int entryIndex, int* count, POINT* points)
{
    if (!segment || !list || !count || !points || *count < 2)
        return;
    const FreeformVertex* entry = FreeformVertexAt(const_cast<unsigned char*>(list), entryIndex);
    if (entry->lineType == kLinePlain || entry->lineType < 0 || entry->lineType > 3)
        return;
    DrawingObject line = {};
    line.kind = kKindLine;
    line.lineType = entry->lineType;
    line.adjust = entry->parameter;
    int x1 = segment->left;
    int y1 = segment->top;
    int x2 = segment->right;
    int y2 = segment->bottom;
    bool arc = line.lineType == kLineArc;
    double bulge = line.adjust;
    bool reversed;
    SetRectFromPoints(&line.frame, x1, y1, x2, y2);
    if (x1 == x2) {
        line.shapeType = kLineVertical;
        line.kindCoordinate = x1;
        reversed = arc ? ((y1 < y2 && bulge < 0) || (y1 >= y2 && bulge >= 0)) : y2 < y1;
    } else {
        line.shapeType = y1 == y2 ? kLineHorizontal : kLineSloped;
        line.kindCoordinate = y1;
        reversed = arc ? ((x2 < x1 && bulge <= 0) || (x2 >= x1 && bulge > 0)) : x2 < x1;
        if (line.shapeType == kLineSloped &&
            ((x1 == line.frame.left && y1 == line.frame.bottom) || (x2 == line.frame.left && y2 == line.frame.bottom)))
            line.stateFlags |= kStateOtherDiagonal;
    }
    POINT outline[kLineOutlineCapacity];
    int m = 0;
    int figure = 0;
    ComputeStoredLineOutline(&line, 0, outline, &m, &figure, 1, nullptr);
    if (m == 0 || *count + m >= kFreeformPointLimit)
        return;
    int at = *count - 1;
    for (int i = 0; i < m; ++i)
        points[at + i] = reversed ? outline[m - 1 - i] : outline[i];
    *count += m - 1;
}
