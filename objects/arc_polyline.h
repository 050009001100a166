// Elliptic arcs, chords and pies as point lists, walked counter-clockwise on
// the screen as GDI draws them. Rotated metafile pictures, rounded connector
// corners and arc lines use them.
#pragma once
#include <windows.h>

enum ArcKind : int {
    kArcOpen = 0,
    kArcChord = 1,
    kArcPie = 2,
};

// The most points ArcToPolyline writes for n samples per quadrant.
inline int ArcPolylineCapacity(int n)
{
    return 9 * (n < 2 ? 2 : n) + 4;
}

// The arc of the ellipse in `rect` from the start point to the end point
// (both moved onto the ellipse first), n samples per quadrant (at least 2).
// `points` has room for ArcPolylineCapacity(n); the count comes back.
void ArcToPolyline(const RECT* rect, int startX, int startY, int endX, int endY, int kind, int n, POINT* points,
                   int* count);

// Moves a point onto the ellipse in `rect` along the line from the centre.
void ProjectOntoEllipse(POINT* point, const RECT* rect);
