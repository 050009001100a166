#include "common/rect_handle_point.h"

void GetRectHandlePoint(const RECT* rect, int code, POINT* point)
{
    int midX = (rect->right - rect->left) / 2 + rect->left;
    int midY = (rect->bottom - rect->top) / 2 + rect->top;
    switch (code) {
    case 1:
        *point = {rect->left, rect->top};
        break;
    case 2:
        *point = {rect->right, rect->top};
        break;
    case 3:
        *point = {rect->left, rect->bottom};
        break;
    case 5:
        *point = {midX, rect->top};
        break;
    case 6:
    case 141:
        *point = {midX, rect->bottom};
        break;
    case 7:
        *point = {rect->left, midY};
        break;
    case 8:
    case 140:
        *point = {rect->right, midY};
        break;
    default:
        *point = {rect->right, rect->bottom};
        break;
    }
}

int GetOppositeSide(int code)
{
    switch (code) {
    case 1:
        return 4;
    case 2:
        return 3;
    case 3:
        return 2;
    case 5:
        return 6;
    case 6:
        return 5;
    case 7:
        return 8;
    case 8:
        return 7;
    default:
        return 1;
    }
}

int GetSideCodeOfPoint(const RECT* rect, int x, int y)
{
    bool left = x == rect->left, right = x == rect->right;
    bool top = y == rect->top, bottom = y == rect->bottom;
    if (left && bottom)
        return kSideCodeBottomLeft;
    if (left && top)
        return kSideCodeTopLeft;
    if (right && top)
        return kSideCodeTopRight;
    if (right && bottom)
        return kSideCodeBottomRight;
    if (right)
        return kSideCodeRight;
    if (left)
        return kSideCodeLeft;
    if (top)
        return kSideCodeTop;
    return kSideCodeBottom;
}
