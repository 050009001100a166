// The outline of a decorated straight line (comm zigzag, digital pulse, arc)
// that painting, hit testing, handles, bounds and feedback all share.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// Room every caller gives: 30 arc points, the apex and one spare.
const int kLineOutlineCapacity = 32;

enum LineOutlineFigure : int {
    kOutlinePolyline = 0,   // count points; an arc's apex follows them
    kOutlineChord = 1,      // the two ends, then the chord's middle
    kOutlineArc = 2,        // ends ordered for Arc, apex, the circle's box corners
};

// Fills points, count and figure for the line's type laid in `frame` with the
// line coordinate and parameter given. `inflation` widens the excursions for
// bounds; `forcePolyline` asks for figure 0 instead of 2; `trims` (or none)
// pull an arc's ends back along the circle. A plain line gives count 0.
void ComputeLineOutline(const DrawingObject* line, const RECT* frame, int coordinate, double parameter,
                        int inflation, POINT* points, int* count, int* figure, int forcePolyline, const int* trims);
// The same with the line's own frame, coordinate and parameter.
void ComputeStoredLineOutline(const DrawingObject* line, int inflation, POINT* points, int* count, int* figure,
                              int forcePolyline, const int* trims);

// Grows the bounds (+4) over the outline laid out for bounds.
void AddLineOutlineToBounds(DrawingObject* line);
inline void ExtendBoundsByLineOutline(DrawingObject* line) { AddLineOutlineToBounds(line); }

// Moves a point along the arc's circle by a signed distance (positive turns
// counter-clockwise on the screen).
void RotatePointOnArc(const DrawingObject* line, double distance, POINT* point);
inline void MovePointAlongArc(const DrawingObject* line, double distance, POINT* point)
{
    RotatePointOnArc(line, distance, point);
}
// Replaces a point on the chord by the arc's point over the same place.
void ProjectPointOntoArc(const DrawingObject* line, POINT* point);
inline void MapPointOntoArc(const DrawingObject* line, POINT* point, int) { ProjectPointOntoArc(line, point); }

double ComputeSqrtOrZero(double x);

// The parameter a comm or digital line draws with: a share from a record that
// is out of range is held to 0..0.5, so the pattern stays on the line.
double PatternShare(double parameter);
