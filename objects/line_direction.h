// The direction class of a straight segment, as a line stores it in its
// shape type; shapes traced into lines classify their pieces the same way.
#pragma once
#include <windows.h>

enum LineDirection : int {
    kLineHorizontal = 0,
    kLineSloped = 1,
    kLineVertical = 2,
};

// Direction class of the segment (left, top)-(right, bottom); `tolerant` 0
// selects the exact rules.
int ClassifyDirection(const RECT* rect, int tolerant);
