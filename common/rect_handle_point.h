// Points of a rectangle named by handle and side codes.
#pragma once
#include <windows.h>

// 1 top-left, 2 top-right, 3 bottom-left, 5 top middle, 6 and 141 bottom
// middle, 7 left middle, 8 and 140 right middle, any other the bottom-right.
void GetRectHandlePoint(const RECT* rect, int code, POINT* point);
// The side or corner across the rectangle; 0, 4 and unknown codes give 1.
int GetOppositeSide(int code);

// SideCode: 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right, 5 top,
// 6 bottom, 7 left, 8 right.
enum SideCodeValue : int {
    kSideCodeTopLeft = 1,
    kSideCodeTopRight = 2,
    kSideCodeBottomLeft = 3,
    kSideCodeBottomRight = 4,
    kSideCodeTop = 5,
    kSideCodeBottom = 6,
    kSideCodeLeft = 7,
    kSideCodeRight = 8,
};

// The SideCode of a point on a rectangle's outline (6 for any other point).
int GetSideCodeOfPoint(const RECT* rect, int x, int y);
