// Text insets of a freeform shape made from lines.
#pragma once
#include <windows.h>

struct DrawingObject;

// Sets the text-inset fractions of a freeform shape from its outline: the
// largest rectangle the scan lines find inside it. A damaged record, or an
// outline that holds no such rectangle, gives 0.2 on every side.
void FitFreeformTextInsets(HGLOBAL freeform, DrawingObject* object);

// How often the line at `value` crosses the polyline (0..3; 3 means three or
// more): a vertical line x = value, else a horizontal line y = value.
// `crossings` receives the first two, ascending when there are exactly two;
// crossings within 1 unit of the one before count once.
int CountLineCrossings(const POINT* points, int count, double value, int* crossings, bool vertical);
