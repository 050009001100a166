// Creating and reshaping straight lines: messages 11, 6, 10 and 26.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

ErrorCode InitStraightLine(DrawingRecord* drawing, void* table, int index, int corner);
// `code` is the anchor that stays; 0 lays the line into a whole new frame.
ErrorCode ResizeStraightLine(DrawingRecord* drawing, void* table, int index, int code, const RECT* rect);
ErrorCode OffsetLineCoordinate(DrawingRecord* drawing, void* table, int index, int dx, int dy);
// Whether dragging to (x, y) over `rect` turns an arc line's direction past
// the vertical (its bulge is then negated to keep its side).
int ArcDirectionFlipped(const DrawingObject* line, const RECT* rect, int x, int y);
// The guest text box's anchor after the line's ends changed places.
void MirrorGuestAnchor(LinkSlot* slot);
// Re-turns a guest that hangs on its host when the line's angle changed.
void TurnGuestToAngle(DrawingRecord* drawing, void* table, int guest, int angle);
