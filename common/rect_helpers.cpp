#include "common/rect_helpers.h"

void SetRectFromPoints(RECT* rect, int x1, int y1, int x2, int y2)
{
    rect->left = x1 < x2 ? x1 : x2;
    rect->right = x1 < x2 ? x2 : x1;
    rect->top = y1 < y2 ? y1 : y2;
    rect->bottom = y1 < y2 ? y2 : y1;
}

void ExpandRect(RECT* rect, const RECT* by)
{
    rect->left -= by->left;
    rect->top -= by->top;
    rect->right += by->right;
    rect->bottom += by->bottom;
}

void ShrinkRect(RECT* rect, const RECT* by)
{
    rect->left += by->left;
    rect->top += by->top;
    rect->right -= by->right;
    rect->bottom -= by->bottom;
}
