#include "common/back_buffer.h"

#include "common/app_globals.h"

HDC BackBufferDC = nullptr;
HBITMAP BackBufferBitmap = nullptr;
HBITMAP BackBufferFirstBitmap = nullptr;

SIZE BackBufferSize()
{
    BITMAP bitmap = {};
    HGDIOBJ held = BackBufferDC ? GetCurrentObject(BackBufferDC, OBJ_BITMAP) : nullptr;
    if (!held || !GetObjectA(held, sizeof(bitmap), &bitmap))
        return SIZE{0, 0};
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

void ResizeBackBuffer()
{
    HDC screen = GetDC(MainWindow);
    if (!BackBufferDC) {
        BackBufferDC = CreateCompatibleDC(screen);
        if (!BackBufferDC) {
            ReleaseDC(MainWindow, screen);
            return;
        }
        SetTextAlign(BackBufferDC, TA_BASELINE);
        SetBkMode(BackBufferDC, TRANSPARENT);
    }
    if (BackBufferFirstBitmap)
        SelectObject(BackBufferDC, BackBufferFirstBitmap);
    if (BackBufferBitmap)
        DeleteObject(BackBufferBitmap);
    BackBufferBitmap = nullptr;
    BackBufferFirstBitmap = nullptr;
    RECT client = {0, 0, 0, 0};
    if (MainWindow)
        GetClientRect(MainWindow, &client);
    BackBufferBitmap = CreateCompatibleBitmap(screen, client.right > 0 ? client.right : 1,
                                              client.bottom > 0 ? client.bottom : 1);
    ReleaseDC(MainWindow, screen);
    if (!BackBufferBitmap) {
        // No buffer until the next resize; views paint directly meanwhile.
        DeleteDC(BackBufferDC);
        BackBufferDC = nullptr;
        return;
    }
    HGDIOBJ replaced = SelectObject(BackBufferDC, BackBufferBitmap);
    if (!BackBufferFirstBitmap)
        BackBufferFirstBitmap = static_cast<HBITMAP>(replaced);
    SetStretchBltMode(BackBufferDC, COLORONCOLOR);
}
