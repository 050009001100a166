#include "common/sample_window.h"

#include "common/dialog_exchange.h"
#include "common/mapping.h"

namespace {

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    auto painter = reinterpret_cast<SamplePainter>(GetWindowLongPtrA(window, kSamplePainterWord));
    RECT client;
    GetClientRect(window, &client);
    if (painter && dc)
        painter(dc, &client);
    EndPaint(window, &paint);
}

} // namespace

LRESULT CALLBACK SESampleWin(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_LBUTTONDOWN:
        // The dialog moves the focus here so the field being edited commits.
        SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), 0),
                     reinterpret_cast<LPARAM>(window));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RefreshSampleWindow(HWND window)
{
    if (!window)
        return;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
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
