// The text engine sits above the object kinds, yet a shape's text is part of
// the shape: the kinds reach the engine through this table, which the frame
// fills at start-up. Until then a shape behaves as one without text.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

struct DrawingObject;

struct ObjectTextHooks {
    // Kind messages 13..23 and 85 on the object's text; 0 when it has none.
    ErrorCode (*applyMessage)(void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR c);
    // Paints the object's stored text in its text frame, for the shape
    // painter's message with its a, b and c.
    void (*draw)(HDC dc, int message, void* drawing, void* table, int index, INT_PTR a, INT_PTR b, INT_PTR c);
    // Lays the object's stored text out again in its frame and fits the
    // object to it (mode 0 the object's anchors, 1..8 chosen ones).
    ErrorCode (*reflow)(void* drawing, DrawingObject* object, int mode, void* fontTable);
};

extern ObjectTextHooks ObjectTextCalls;
