#include "objects/paste_position.h"

#include "common/handle_words.h"

void GetPastePosition(const DrawingRecord* drawing, const RECT* extent, POINT* point)
{
    POINT origin = {0, 0};
    HWND view = WordToHandle<HWND>(static_cast<int32_t>(drawing->viewWindow));
    if (view) {
        if (HDC dc = GetDC(view)) {
            DPtoLP(dc, &origin, 1);
            ReleaseDC(view, dc);
        }
    }
    point->x = origin.x + 300;
    point->y = origin.y + 300;
    LONG width = extent->right - extent->left;
    LONG height = extent->bottom - extent->top;
    if (point->x + width >= drawing->width)
        point->x = drawing->width - width;
    if (point->y + height >= drawing->height)
        point->y = drawing->height - height;
}
