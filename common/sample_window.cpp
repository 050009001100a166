#include "common/sample_window.h"

#include "common/app_globals.h"
#include "common/bitmap_blit.h"
#include "common/dialog_exchange.h"
#include "common/mapping.h"

namespace {

const int kActualSize = 0;  // per mille; 0 is 100 per cent

template <typename T>
T WordOf(HWND window, int offset)
{
    return reinterpret_cast<T>(GetWindowLongPtrA(window, offset));
}

void Notify(HWND window, WORD code)
{
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
                 reinterpret_cast<LPARAM>(window));
}

void OnCreate(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    HDC windowDC = GetDC(window);
    HDC memory = windowDC ? CreateCompatibleDC(windowDC) : nullptr;
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(windowDC, area.right - area.left, area.bottom - area.top) : nullptr;
    if (windowDC)
        ReleaseDC(window, windowDC);
    if (!bitmap) {
        if (memory)
            DeleteDC(memory);
        return;
    }
    SelectObject(memory, bitmap);
    SetZoomMapMode(memory, kActualSize, kDrawingUnitsPerInch);
    SetBkMode(memory, TRANSPARENT);
    SetWindowLongPtrA(window, kSampleMemoryDCWord, reinterpret_cast<LONG_PTR>(memory));
    SetWindowLongPtrA(window, kSampleBitmapWord, reinterpret_cast<LONG_PTR>(bitmap));
}

void OnDestroy(HWND window)
{
    HDC memory = WordOf<HDC>(window, kSampleMemoryDCWord);
    if (!memory)
        return;
    DeleteDC(memory);
    DeleteObject(WordOf<HBITMAP>(window, kSampleBitmapWord));
    SetWindowLongPtrA(window, kSampleMemoryDCWord, 0);
    SetWindowLongPtrA(window, kSampleBitmapWord, 0);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SamplePainter painter = WordOf<SamplePainter>(window, kSamplePainterWord);
    RECT client;
    GetClientRect(window, &client);
    if (painter && dc)
        painter(dc, &client);
    EndPaint(window, &paint);
}

void OnSetCursor(HWND window)
{
    SampleCursorSetter setter = WordOf<SampleCursorSetter>(window, kSampleCursorWord);
    if (setter)
        setter(window);
}

// The bitmap named by the window's control id; the caller deletes it.
HBITMAP OwnBitmap(HWND window)
{
    return LoadBitmapA(AppInstance, MAKEINTRESOURCEA(GetDlgCtrlID(window)));
}

void FitToBitmap(HWND window)
{
    HBITMAP bitmap = OwnBitmap(window);
    if (!bitmap)
        return;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    DeleteObject(bitmap);
    RECT area;
    GetWindowRect(window, &area);
    POINT corner = {area.left, area.top};
    ScreenToClient(GetParent(window), &corner);
    MoveWindow(window, corner.x, corner.y, info.bmWidth, info.bmHeight, FALSE);
}

void PaintOwnBitmap(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBITMAP bitmap = OwnBitmap(window);
    if (bitmap && dc) {
        BlitBitmap(dc, bitmap, 0, 0, SRCAND);
        DeleteObject(bitmap);
    }
    EndPaint(window, &paint);
}

} // namespace

LRESULT CALLBACK SampleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_SETCURSOR:
        OnSetCursor(window);
        return 0;
    case WM_LBUTTONUP:
        Notify(window, kSampleClicked);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        Notify(window, kSampleDoubleClicked);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RefreshSampleWindow(HWND window)
{
    if (!window)
        return;
    HDC memory = WordOf<HDC>(window, kSampleMemoryDCWord);
    SamplePainter painter = WordOf<SamplePainter>(window, kSamplePainterWord);
    if (!memory || !painter)
        return;
    RECT client;
    GetClientRect(window, &client);
    SIZE size = {client.right, client.bottom};
    DeviceToLogicalSize(memory, &size);
    painter(memory, &client);
    HDC dc = GetDC(window);
    if (!dc)
        return;
    const int saved = SaveDC(dc);
    SetZoomMapMode(dc, kActualSize, kDrawingUnitsPerInch);
    SetStretchBltMode(dc, COLORONCOLOR);
    BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
    ReleaseDC(window, dc);
}

LRESULT CALLBACK BitmapWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        FitToBitmap(window);
        return 0;
    case WM_PAINT:
        PaintOwnBitmap(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

RECT BeginSamplePaint(HDC dc, const RECT* client, int unitsPerInch, HBRUSH brush)
{
    SetZoomMapMode(dc, 0, unitsPerInch);
    SetBkMode(dc, TRANSPARENT);
    SIZE size = {client->right, client->bottom};
    DeviceToLogicalSize(dc, &size);
    RECT area = {0, 0, size.cx, size.cy};
    FillRect(dc, &area, brush);
    return area;
}
