#include "common/bitmap_blit.h"

BOOL BlitBitmap(HDC dc, HBITMAP bitmap, int x, int y, DWORD rasterOp)
{
    BITMAP info;
    if (!bitmap || GetObjectA(bitmap, sizeof(info), &info) != sizeof(info))
        return FALSE;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return FALSE;
    SetMapMode(memory, GetMapMode(dc));
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BOOL done = FALSE;
    if (previous)
        done = BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, rasterOp);
    // The bitmap belongs to the caller: put the DC's own one back before deleting it.
    if (previous)
        SelectObject(memory, previous);
    DeleteDC(memory);
    return done;
}
