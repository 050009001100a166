// What a point hits on a shape (kind message 2).
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

enum ShapeHitCode : int {
    kHitNothing = 0,
    kHitBody = 40,
    kHitTextArea = 44,
    kHitAttachment = 45,
    kHitAdjustHorizontal = 60,
    kHitAdjustVertical = 62,
    kHitRotateRight = 140,
    kHitRotateBottom = 141,
};

const int kTextToolCode = 17;

// The hit code of (x, y): a rotation or adjust handle, the attachment marker,
// the body or the text area on the shape's true outline, or a selection
// handle. With index -1 `table` is a detached record.
int HitTestShape(DrawingRecord* drawing, void* table, int index, int toolCode, int x, int y);
