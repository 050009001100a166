// Turning, mirroring and measuring point sets; every outline, handle and hit
// test of a rotated or mirrored object goes through these.
#pragma once
#include <windows.h>

// Turns points in place by `angle` tenths of a degree about the centre of
// `rect` (about the origin when rect is none); returns count.
int RotatePoints(const RECT* rect, int angle, POINT* points, int count);
// The same operation under the name the rotation tracking uses.
int RotatePointsCopy(const RECT* rect, int angle, POINT* points, int count);

// Mirrors points inside `rect`: flag 0x08 left to right, 0x10 top to bottom.
void FlipPoints(const RECT* rect, unsigned flags, POINT* points, int count);

// The bounding box of the points, starting from (32767, 32767, 0, 0).
void GetPointsBounds(RECT* rect, const POINT* points, int count);

// The signed angle (tenths of a degree) at C from P to Q: turning P about C by
// the result with RotatePoints brings it onto Q's direction.
int ComputeAngleBetween(int cx, int cy, int px, int py, int qx, int qy);

// Rounds a rotation to a multiple of 15 degrees (the drawing's snap).
int SnapRotationAngle(int angle);

// The outline of a shape type in `rect`, mirrored by flags 0x08 and 0x10 and
// then turned by `angle` about the centre of `centreRect`.
void BuildTransformedShapeOutline(const RECT* rect, const RECT* centreRect, double parameter, int shapeType,
                                  int angle, HGLOBAL freeform, POINT* points, int* count, unsigned flags);
