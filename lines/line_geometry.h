// Layer 6, lines/: straight lines, connectors and arrays; uses text/ and below.

// The model of a straight line: direction class, ends and angle.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"
#include "objects/line_direction.h"

enum LineType : int {
    kLinePlain = 0,
    kLineComm = 1,
    kLineDigital = 2,
    kLineArc = 3,
};

// A line's direction class as stored; values a file may hold outside 0..2
// count as sloped.
inline int LineDirectionOf(const DrawingObject* line)
{
    int d = line->shapeType;
    return d == kLineHorizontal || d == kLineVertical ? d : kLineSloped;
}
inline bool RunsUp(const DrawingObject* line)
{
    return (line->stateFlags & kStateOtherDiagonal) != 0;
}

// Start and end of a line in a frame with a line coordinate.
void GetLineEndsIn(int direction, bool otherDiagonal, const RECT* frame, int coordinate, POINT* start, POINT* end);
void GetLineEnds(const DrawingObject* line, POINT* start, POINT* end);

// The angle in tenths of a degree: 0 horizontal, -900 vertical, the diagonal's
// angle for a sloped line (positive on the other diagonal). With a rectangle
// its tolerant class and the line's own diagonal flag.
int ComputeLineAngle(const DrawingObject* line, const RECT* rect);
// Message 72 form: index -1 means the table argument is the line.
void GetLineAngle(void* drawing, void* table, int index, const RECT* rect, int* angle);

// The length of the line's chord.
double GetLineChordLength(const DrawingObject* line);

// The rule a resize or creation classifies with: exact while a hooked end is
// dragged.
int HookedDragInProgress(const void* drawing);
