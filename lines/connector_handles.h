// A connector's handles, hit testing and handle painting.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "lines/connector_route.h"
#include "objects/drawing_layout.h"

const int kMaxRouteHandles = 6;

// The handle points and squares of a route at `origin`; count back.
void GetSegLineHandles(const SegLineRoute* route, POINT origin, POINT* points, RECT* squares, int* count);
// Code 28 the start, 29 the last end, 50..53 middle handles (with the
// segment's rectangle in drawing units and its index). 1 when no inner
// segment has the orientation asked for.
ErrorCode GetSegLineHandlePoint(DrawingRecord* drawing, void* table, int index, int code, POINT* point,
                                RECT* segment, int* segmentIndex);
// The same on a route in hand.
int RouteHandlePoint(const SegLineRoute* route, POINT origin, int code, POINT* point, RECT* segment,
                     int* segmentIndex);
// The segment or corner arc under a route-relative point, -1 for none; with
// an arc index of 0 or more that arc's ellipse box without testing.
int HitRouteSegment(const SegLineRoute* route, int x, int y, int cornerStyle, RECT* ellipse, int arcIndex);
// The ellipse box of arc i between handle points i and i + 1.
RECT ArcCornerBox(const SegLineRoute* route, const POINT* handles, int i);
int SegLineHitTest(DrawingRecord* drawing, void* table, int index, POINT point);
void DrawSegLineHandles(HDC dc, DrawingRecord* drawing, void* table, int index);
// The attachment-marker square on the first segment.
void GetSegLineMarkerRect(const DrawingObject* object, const RouteSegment& first, RECT* rect);
