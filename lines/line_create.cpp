#include "lines/line_create.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "lines/length_label.h"
#include "lines/line_geometry.h"
#include "lines/line_rects.h"
#include "lines/arrowheads.h"
#include "common/rect_handle_point.h"
#include "objects/drawing_edits.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/object_links.h"
#include "objects/selection_geometry.h"
#include "common/tracking_mode.h"
#include "text/object_text_helpers.h"

namespace {

const int kTrackDrawing = 11;
const int kTrackPlacing = 18;

void SwapSlotCodes(DrawingObject* line)
{
    for (int i = 0; i < SlotsInUse(line); ++i) {
        if (line->links[i].connectCode == 1)
            line->links[i].connectCode = 2;
        else if (line->links[i].connectCode == 2)
            line->links[i].connectCode = 1;
    }
}

int GuestIndex(void* table, int index)
{
    if (index < 0)
        return -1;
    const DrawingObject* line = ObjectAt(table, index);
    if (line->labelPartnerId == kNoObjectId || (line->stateFlags & kStateAttached))
        return -1;
    return FindObjectIndex(table, line->labelPartnerId, line->labelPartnerHint);
}

} // namespace

void MirrorGuestAnchor(LinkSlot* slot)
{
    int code = slot->connectCode;
    switch (code) {
    case 201: code = 202; break;
    case 202: code = 201; break;
    case 203: code = 204; break;
    case 204: code = 203; break;
    case 207: code = 208; break;
    case 208: code = 207; break;
    default: return;
    }
    slot->connectCode = code;
    int value = (code == 202 || code == 204 || code == 208) ? 600 : 0;
    slot->x = value;
    slot->y = value;
}

void TurnGuestToAngle(DrawingRecord* drawing, void* table, int guest, int angle)
{
    DrawingObject* label = ObjectAt(table, guest);
    if (!(label->stateFlags & kStateAttached))
        return;
    if (drawing)
        InvalidateDrawingRect(drawing, &label->bounds);
    CallObjectKind(nullptr, drawing, table, guest, kMsgSetRotation, angle, 0, 0);
    if (drawing)
        InvalidateDrawingRect(drawing, &ObjectAt(table, guest)->bounds);
}

ErrorCode InitStraightLine(DrawingRecord* drawing, void* table, int index, int corner)
{
    DrawingObject* line = KindObject(table, index);
    line->stateFlags |= 0x08;
    line->lineWidth = drawing && drawing->lineWidth > 0 ? drawing->lineWidth : 1;
    line->lineStyle = 1;
    bool hooked = HookedDragInProgress(drawing) != 0;
    line->shapeType = ClassifyDirection(&line->frame, hooked ? 0 : 1);
    if (drawing && (TrackingMode == kTrackDrawing || TrackingMode == kTrackPlacing)) {
        if (TrackingMode == kTrackDrawing) {
            int ks = ArrowheadKindOf(static_cast<uint32_t>(drawing->startArrow));
            int ke = ArrowheadKindOf(static_cast<uint32_t>(drawing->endArrow));
            int finishing = GetOppositeSide(corner);
            bool atStart = line->shapeType == kLineVertical ? (finishing == 1 || finishing == 2)
                                                            : (finishing == 1 || finishing == 3);
            if (ks == 0 && ke == 0) {
                line->startArrow = drawing->startArrow;
                line->endArrow = drawing->endArrow;
            } else if (ks != 0 && ke != 0) {
                line->startArrow = atStart ? ke : ks;
                line->endArrow = atStart ? ks : ke;
            } else {
                int d = ks != 0 ? ks : ke;
                line->startArrow = atStart ? d : 0;
                line->endArrow = atStart ? 0 : d;
            }
        } else {
            line->startArrow = drawing->startArrow;
            line->endArrow = drawing->endArrow;
        }
        line->arrowSize = ClampArrowSize(drawing->arrowSize);
        line->arrowEnds = RebuildArrowEnds(&line->startArrow, &line->endArrow);
    }
    if (drawing)
        line->lineColor = drawing->style.lineColor;
    line->linkCapacity = 2;
    line->kindWord1 = 3;
    line->kindWord2 = 2;
    line->textRoleFlags = 0x20;
    if (drawing && (drawing->flags & kDrawingLineTextLevel))
        line->textRoleFlags |= kGuestStaysHorizontal;
    if (corner == 2 || corner == 3)
        line->stateFlags |= kStateOtherDiagonal;
    else
        line->stateFlags &= ~kStateOtherDiagonal;
    const RECT& f = line->frame;
    if (line->shapeType == kLineHorizontal)
        line->kindCoordinate = (corner == 1 || corner == 2) ? f.top : f.bottom;
    else if (line->shapeType == kLineVertical)
        line->kindCoordinate = (corner == 2 || corner == 4) ? f.right : f.left;
    line->textMargins = {0, 0, 0, 0};
    RecalcLineRects(drawing, line);
    return kErrNone;
}

int ArcDirectionFlipped(const DrawingObject* line, const RECT* rect, int x, int y)
{
    if (line->lineType != 3)
        return 0;
    int angles[2];
    const RECT* rects[2] = {&line->frame, rect};
    for (int i = 0; i < 2; ++i) {
        int c = SideCodeOnRect(rects[i], x, y);
        POINT F;
        GetRectHandlePoint(rects[i], GetOppositeSide(c), &F);
        RECT R = {x, y < F.y ? y : F.y, F.x, y > F.y ? y : F.y};
        int a = ComputeLineAngle(line, &R);
        if (a == -900 && F.y > y)
            a = -901;
        if (a == 0 && F.x < x)
            a = 1800;
        angles[i] = a;
    }
    bool first = std::abs(angles[0]) > 900;
    bool second = std::abs(angles[1]) > 900;
    return first != second ? 1 : 0;
}

ErrorCode ResizeStraightLine(DrawingRecord* drawing, void* table, int index, int code, const RECT* given)
{
    if (!given)
        return kErrNone;
    DrawingObject* line = KindObject(table, index);
    int guest = GuestIndex(table, index);
    int oldAngle = guest >= 0 ? ComputeLineAngle(line, nullptr) : 0;
    RECT rect = *given;
    bool whole = code == 0;
    if (!whole) {
        POINT p;
        GetRectHandlePoint(&rect, code, &p);
        if (ArcDirectionFlipped(line, &rect, p.x, p.y))
            line->adjust = -line->adjust;
    } else {
        int direction = LineDirectionOf(line);
        if (direction == kLineHorizontal)
            rect.top = rect.bottom = line->kindCoordinate;
        else if (direction == kLineVertical)
            rect.left = rect.right = line->kindCoordinate;
        code = RunsUp(line) ? 3 : 1;
    }
    if (code == 5 || code == 7)
        code = 1;
    else if (code == 6 || code == 8)
        code = 4;
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);

    bool bothHooked = SlotsInUse(line) >= 2;
    int tolerant = (HookedDragInProgress(drawing) || bothHooked) ? 0 : 1;
    int direction = ClassifyDirection(&rect, tolerant);
    if (!bothHooked) {
        if (direction == kLineHorizontal) {
            if (rect.right < rect.left + 24)
                rect.right = rect.left + 24;
            rect.bottom = rect.top;
        } else if (direction == kLineVertical) {
            if (rect.bottom < rect.top + 24)
                rect.bottom = rect.top + 24;
            rect.right = rect.left;
        } else if (rect.right - rect.left < 24 && rect.bottom - rect.top < 24) {
            if (rect.bottom - rect.top > rect.right - rect.left)
                rect.bottom = rect.top + 24;
            else
                rect.right = rect.left + 24;
        }
    }
    int oldDirection = LineDirectionOf(line);
    bool oldUp = RunsUp(line);
    RECT old = line->frame;
    if (oldDirection == kLineHorizontal)
        old.top = old.bottom = line->kindCoordinate;
    else if (oldDirection == kLineVertical)
        old.left = old.right = line->kindCoordinate;
    double oldLength = GetLineChordLength(line);
    if (oldDirection == kLineHorizontal || oldDirection == kLineVertical) {
        oldLength = oldDirection == kLineHorizontal ? old.right - old.left : old.bottom - old.top;
    }

    line->frame = rect;
    line->bounds = rect;
    line->inner = rect;
    line->textFrame = rect;
    line->shapeType = ClassifyDirection(&rect, tolerant);
    direction = line->shapeType;
    if (direction == kLineHorizontal)
        line->kindCoordinate = rect.top;
    else if (direction == kLineVertical)
        line->kindCoordinate = rect.left;

    const RECT& n = rect;
    bool sameTopLeft = old.left == n.left && old.top == n.top;
    bool sameBottomRight = old.right == n.right && old.bottom == n.bottom;
    bool swap = false;
    int c = code;
    if (direction == kLineHorizontal) {
        if (oldDirection == kLineVertical)
            swap = !sameTopLeft && !sameBottomRight;
        else
            swap = (c == 2 || c == 4) ? old.right != n.right : old.left != n.left;
    } else if (direction == kLineVertical) {
        if (oldDirection == kLineHorizontal)
            swap = !sameTopLeft && !sameBottomRight;
        else
            swap = ((c == 1 || c == 2) ? old.top != n.top : old.bottom != n.bottom) ||
                   (oldDirection == kLineSloped && oldUp);
    } else {
        if (oldDirection == kLineVertical) {
            swap = c == 2 || c == 3;
            if (old.top == n.bottom || old.bottom == n.top)
                swap = !swap;
        } else {
            swap = (c == 2 || c == 4) ? old.right != n.right : old.left != n.left;
        }
    }
    if (!whole && swap) {
        std::swap(line->startArrow, line->endArrow);
        SwapSlotCodes(line);
    }
    line->arrowEnds = RebuildArrowEnds(&line->startArrow, &line->endArrow);
    if (!whole) {
        if (direction == kLineSloped && (c == 2 || c == 3))
            line->stateFlags |= kStateOtherDiagonal;
        else
            line->stateFlags &= ~kStateOtherDiagonal;
    }
    RecalcLineRects(drawing, line);

    if (guest >= 0) {
        int angle = ComputeLineAngle(ObjectAt(table, index), nullptr);
        if (angle != oldAngle)
            TurnGuestToAngle(drawing, table, guest, angle);
        if (!whole && swap)
            MirrorGuestAnchor(&ObjectAt(table, guest)->links[0]);
    }
    line = KindObject(table, index);
    if ((line->textRoleFlags & 0x40) && index >= 0) {
        double now = GetLineChordLength(line);
        if (static_cast<long>(now) != static_cast<long>(oldLength))
            DiscardError(UpdateLengthLabel(drawing, table, index, -1),
                         "a length label only annotates the line, which stands without it");
    }
    return kErrNone;
}

ErrorCode OffsetLineCoordinate(DrawingRecord* drawing, void* table, int index, int dx, int dy)
{
    DrawingObject* line = KindObject(table, index);
    int direction = LineDirectionOf(line);
    if (direction == kLineHorizontal)
        line->kindCoordinate += dy;
    else if (direction == kLineVertical)
        line->kindCoordinate += dx;
    RecalcLineRects(drawing, line);
    return kErrNone;
}
