// Text points and angles on connectors, route-box positions mapped onto the
// route, and the connector's length.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "lines/connector_route.h"
#include "objects/drawing_layout.h"

void GetSegLineTextPoint(const DrawingObject* object, const SegLineRoute* route, POINT* point, int* angle);
// Message 72: nothing (the angle untouched) when the flag is 0.
void GetSegLineTextAngle(DrawingRecord* drawing, void* table, int index, int anchor, int flag, int* angle);
// Message 42: an anchor 201..209 gives the text point; other points of the
// 600 x 600 route box are moved onto the route.
void GetSegLineBoxPoints(DrawingRecord* drawing, void* table, int index, int anchor, int count, POINT* points);
void MapRouteBoxPoints(const DrawingObject* object, const SegLineRoute* route, int anchor, int count,
                       POINT* points);
double GetSegLineLength(DrawingRecord* drawing, const DrawingObject* object);
double RouteLength(const DrawingObject* object, const SegLineRoute* route);
ErrorCode ShowSegLineLength(DrawingRecord* drawing, void* table, int index, const int32_t* value);
