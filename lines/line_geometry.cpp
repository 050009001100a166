#include "lines/line_geometry.h"

#include <cmath>

#include "objects/geometry_math.h"

void GetLineEndsIn(int direction, bool otherDiagonal, const RECT* frame, int coordinate, POINT* start, POINT* end)
{
    switch (direction) {
    case kLineHorizontal:
        *start = {frame->left, coordinate};
        *end = {frame->right, coordinate};
        break;
    case kLineVertical:
        *start = {coordinate, frame->top};
        *end = {coordinate, frame->bottom};
        break;
    default:
        if (otherDiagonal) {
            *start = {frame->left, frame->bottom};
            *end = {frame->right, frame->top};
        } else {
            *start = {frame->left, frame->top};
            *end = {frame->right, frame->bottom};
        }
        break;
    }
}

void GetLineEnds(const DrawingObject* line, POINT* start, POINT* end)
{
    GetLineEndsIn(LineDirectionOf(line), RunsUp(line), &line->frame, line->kindCoordinate, start, end);
}

int ComputeLineAngle(const DrawingObject* line, const RECT* rect)
{
    RECT frame = rect ? *rect : line->frame;
    int direction = rect ? ClassifyDirection(rect, 1) : LineDirectionOf(line);
    if (direction == kLineHorizontal)
        return 0;
    if (direction == kLineVertical)
        return -900;
    double w = static_cast<double>(frame.right) - frame.left;
    double h = static_cast<double>(frame.bottom) - frame.top;
    // atan2 keeps a frame of no width or height (as a file may hold) finite.
    int angle = TruncToInt(std::atan2(std::fabs(h), std::fabs(w)) * 1800.0 / 3.14159265358979323846);
    bool up = RunsUp(line);
    if (!up)
        angle = -angle;
    if (up && angle < 0)
        angle += 1800;
    if (!up && angle > 0)
        angle -= 1800;
    return angle;
}

void GetLineAngle(void*, void* table, int index, const RECT* rect, int* angle)
{
    if (!angle || !table)
        return;
    *angle = ComputeLineAngle(KindObject(table, index), rect);
}

double GetLineChordLength(const DrawingObject* line)
{
    const RECT& f = line->frame;
    switch (LineDirectionOf(line)) {
    case kLineHorizontal:
        return static_cast<double>(f.right) - f.left;
    case kLineVertical:
        return static_cast<double>(f.bottom) - f.top;
    default: {
        double dx = static_cast<double>(f.right) - f.left;
        double dy = static_cast<double>(f.bottom) - f.top;
        return std::sqrt(dx * dx + dy * dy);
    }
    }
}

int HookedDragInProgress(const void* drawing)
{
    return drawing && (static_cast<const DrawingRecord*>(drawing)->flags & kDrawingDragging) ? 1 : 0;
}
