// The adjust handle of the shape types with a parameter: where it sits, how a
// dragged point becomes a parameter, its drawing, its drag feedback (kind
// message 49) and the final change (message 57).
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

struct AdjustHandleInfo {
    RECT box;           // the 48 x 48 handle (logical units)
    int direction;      // 0 no handle, 1 horizontal, 2 vertical
    int low;            // the range the handle may be dragged over
    int high;
    int origin;         // where the parameter is 0
    double extent;      // the length a parameter of 1 spans
};

void GetAdjustHandleGeometry(const DrawingObject* object, AdjustHandleInfo* info);
// Clamps `point` (unrotated space) into the handle's range in place and
// gives the parameter, or -1.0 for a shape without a handle.
double ParameterFromHandlePoint(const DrawingObject* object, POINT* point);
void DrawAdjustHandle(HDC dc, const DrawingObject* object);
// Message 49: the outline with the parameter the point would give.
void DrawAdjustHandleFeedback(HDC dc, DrawingRecord* drawing, void* table, int index, int flags, INT_PTR value,
                              const POINT* point);
// Message 57.
ErrorCode SetAdjustParameter(DrawingRecord* drawing, void* table, int index, int flags, const POINT* point);
