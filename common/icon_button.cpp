#include "common/icon_button.h"

#include "common/display_flags.h"
#include "common/gray_out_rect.h"
#include "common/help_mode.h"
#include "common/tool_tips.h"
#include "common/pattern_brushes.h"

const char kIconButtonClassName[] = "SEIconButtonClass";
BOOL IconButtonTracking = FALSE;
BOOL IconButtonPressed = FALSE;

namespace {

LONG Style(HWND button) { return GetWindowLongA(button, kIconButtonStyleWord); }
void SetStyle(HWND button, LONG style) { SetWindowLongA(button, kIconButtonStyleWord, style); }

// Held: a down button that neither pushes nor toggles never changes its look.
bool IsHeld(LONG style)
{
    return (style & kIconDown) && !(style & (kIconPush | kIconToggle));
}

void Notify(HWND button, WORD code, bool post)
{
    HWND parent = GetParent(button);
    if (!parent)
        return;
    WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(button), code);
    if (post)
        PostMessageA(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(button));
    else
        SendMessageA(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(button));
}


// Draws a polyline of points with a one-pixel pen of a system colour.
void SysLines(HDC dc, int colorIndex, const POINT* points, int count)
{
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colorIndex));
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, points, count);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawFocusFrame(HWND button, HDC dc)
{
    RECT client;
    GetClientRect(button, &client);
    InflateRect(&client, -5, -5);
    HGDIOBJ old = PatternBrushes[1] ? SelectObject(dc, PatternBrushes[1]) : nullptr;
    PatBltFrame(dc, &client, PATINVERT);
    if (old)
        SelectObject(dc, old);
}

void DrawContent(HDC dc, const RECT* rect, HBITMAP bitmap, bool transparent)
{
    if (!bitmap)
        return;
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof(info), &info))
        return;
    int x = rect->left + (rect->right - rect->left - info.bmWidth) / 2;
    int y = rect->top + (rect->bottom - rect->top - info.bmHeight) / 2;
    // The mask first: a bitmap can be selected into one device context only.
    HBITMAP mask = transparent ? MakeBitmapMask(dc, bitmap) : nullptr;
    HDC source = CreateCompatibleDC(dc);
    if (!source) {
        if (mask)
            DeleteObject(mask);
        return;
    }
    SetTextColor(dc, RGB(0, 0, 0));
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    if (transparent) {
        SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCINVERT);
        if (mask) {
            HDC maskDc = CreateCompatibleDC(dc);
            HGDIOBJ oldMask = SelectObject(maskDc, mask);
            BitBlt(dc, x, y, info.bmWidth, info.bmHeight, maskDc, 0, 0, SRCAND);
            SelectObject(maskDc, oldMask);
            DeleteDC(maskDc);
            DeleteObject(mask);
        }
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCINVERT);
    } else {
        BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCAND);
    }
    SelectObject(source, oldSource);
    DeleteDC(source);
}

void Repaint(HWND button)
{
    InvalidateRect(button, nullptr, FALSE);
    UpdateWindow(button);
}

void EndTracking(HWND button)
{
    IconButtonTracking = FALSE;
    if (GetCapture() == button)
        ReleaseCapture();
}

void OnPaint(HWND button)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    if (dc)
        PaintIconButton(dc, button);
    EndPaint(button, &paint);
}

void OnFocus(HWND button, bool gained)
{
    if (gained)
        Notify(button, kIconGotFocus, true);
    HDC dc = GetDC(button);
    if (dc) {
        DrawFocusFrame(button, dc);
        ReleaseDC(button, dc);
    }
}

void OnKeyDown(HWND button, WPARAM key)
{
    if (key != VK_RETURN && key != VK_SPACE)
        return;
    SetIconButtonDown(button, TRUE);
    Notify(button, kIconClicked, false);
}

void OnButtonDown(HWND button)
{
    HideToolTip();
    if (IconButtonTracking)
        return;
    if (!(Style(button) & kIconDown))
        DrawIconButtonPressLook(button);
    IconButtonPressed = TRUE;
    IconButtonTracking = TRUE;
    SetCapture(button);
}

void OnDoubleClick(HWND button)
{
    if (Style(button) & kIconDoubleAsPress)
        OnButtonDown(button);
    else
        Notify(button, kIconDoubleClicked, false);
}

void OnMouseMove(HWND button, LPARAM lParam)
{
    if (!IconButtonTracking)
        return;
    RECT client;
    GetClientRect(button, &client);
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    bool held = IsHeld(Style(button));
    if (PtInRect(&client, point)) {
        if (!IconButtonPressed) {
            if (!held)
                DrawIconButtonPressLook(button);
            IconButtonPressed = TRUE;
        }
        return;
    }
    if (IconButtonPressed) {
        if (!held)
            DrawIconButtonPressLook(button);
        IconButtonPressed = FALSE;
    }
    Notify(button, kIconDraggedOutside, false);
}

void OnButtonUp(HWND button)
{
    if (IconButtonPressed) {
        LONG style = Style(button);
        bool latching = !(style & (kIconPush | kIconRadio | kIconToggle));
        if (!HelpMode) {
            if (style & kIconRadio)
                style |= kIconDown;
            else if (style & kIconToggle)
                style ^= kIconDown;
            else if (style & kIconPush)
                style &= ~kIconDown;
            else
                style |= kIconDown;
            if (style & kIconDown)
                style &= ~kIconMixed;
            SetStyle(button, style);
        }
        if (!(latching && !HelpMode))
            Repaint(button);
        IconButtonPressed = FALSE;
        EndTracking(button);
        Notify(button, kIconClicked, false);
        return;
    }
    EndTracking(button);
}

void OnCancelPress(HWND button)
{
    if (IconButtonPressed && !IsHeld(Style(button)))
        Repaint(button);
    IconButtonPressed = FALSE;
    EndTracking(button);
}

} // namespace

LRESULT CALLBACK SEIcnBtn(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint(button);
        return 0;
    case WM_SETFOCUS:
        OnFocus(button, true);
        return 0;
    case WM_KILLFOCUS:
        OnFocus(button, false);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(button, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(button);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(button);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(button, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(button);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kIconCancelPress) {
            OnCancelPress(button);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(button, message, wParam, lParam);
}

ATOM RegisterIconButtonClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = SEIcnBtn;
    windowClass.cbWndExtra = kIconButtonWindowBytes;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kIconButtonClassName;
    return RegisterClassA(&windowClass);
}

void PaintIconButton(HDC dc, HWND button)
{
    LONG style = Style(button);
    LONG value = GetWindowLongA(button, kIconButtonValueWord);
    HBITMAP bitmap = nullptr;
    if (!(style & kIconLibraryItem)) {
        int id = GetWindowLongA(button, kIconButtonBitmapWord);
        if (style & kIconMixed)
            id += kIconMixedBitmapOffset;
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(button, GWLP_HINSTANCE));
        bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(id));
        // A button whose picture cannot be loaded paints nothing.
        if (!bitmap)
            return;
    }
    RECT client;
    GetClientRect(button, &client);
    if ((style & kIconMixed) || !(style & kIconDown))
        DrawIconButtonFaceUp(button, dc, &client, bitmap, style, value);
    else
        DrawIconButtonFaceDown(button, dc, &client, bitmap, style, value);
    if (bitmap)
        DeleteObject(bitmap);
    if (!IsWindowEnabled(button))
        GrayOutRect(dc, &client);
    if (GetFocus() == button)
        DrawFocusFrame(button, dc);
}

void DrawIconButtonFaceUp(HWND, HDC dc, const RECT* rect, HBITMAP bitmap, LONG style, LONG)
{
    int saved = SaveDC(dc);
    const int l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    SelectObject(dc, face);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, l, t, r, b);
    const POINT highlight[3] = {{l, b - 2}, {l, t}, {r - 2, t}};
    const POINT shadow[3] = {{l, b - 2}, {r - 2, b - 2}, {r - 2, t}};
    const POINT frame[3] = {{l, b - 1}, {r - 1, b - 1}, {r - 1, t}};
    SysLines(dc, COLOR_BTNHIGHLIGHT, highlight, 3);
    SysLines(dc, COLOR_BTNSHADOW, shadow, 3);
    SysLines(dc, COLOR_WINDOWFRAME, frame, 3);
    if (!(style & kIconLibraryItem))
        DrawContent(dc, rect, bitmap, (style & (kIconMixed | kIconTransparent)) != 0);
    if (style & kIconGreyed)
        GrayOutRect(dc, rect);
    RestoreDC(dc, saved);
    DeleteObject(face);
}

void DrawIconButtonFaceDown(HWND, HDC dc, const RECT* rect, HBITMAP bitmap, LONG style, LONG)
{
    int saved = SaveDC(dc);
    const int l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    const POINT highlight[3] = {{l, b - 1}, {r - 1, b - 1}, {r - 1, t}};
    const POINT shadow[3] = {{l + 1, b - 2}, {l + 1, t + 1}, {r - 2, t + 1}};
    const POINT frame[3] = {{l, b - 1}, {l, t}, {r - 1, t}};
    SysLines(dc, COLOR_BTNHIGHLIGHT, highlight, 3);
    SysLines(dc, COLOR_BTNSHADOW, shadow, 3);
    SysLines(dc, COLOR_WINDOWFRAME, frame, 3);
    RECT inside = *rect;
    InflateRect(&inside, -1, -1);
    if (MonochromeDisplay)
        FillRect(dc, &inside, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    else
        GrayOutRect(dc, rect);
    if (!(style & kIconLibraryItem))
        DrawContent(dc, rect, bitmap, (style & kIconTransparent) != 0);
    if (MonochromeDisplay)
        InvertRect(dc, &inside);
    if (style & kIconGreyed)
        GrayOutRect(dc, rect);
    RestoreDC(dc, saved);
}

void DrawIconButtonPressLook(HWND button)
{
    HDC dc = GetDC(button);
    if (!dc)
        return;
    LONG style = Style(button);
    // Called before the flag changes: a clear flag is about to become pressed.
    if (IconButtonPressed)
        style &= ~kIconDown;
    else
        style = (style | kIconDown) & ~kIconMixed;
    LONG saved = Style(button);
    SetStyle(button, style);
    PaintIconButton(dc, button);
    SetStyle(button, saved);
    ReleaseDC(button, dc);
}

void SetIconButtonDown(HWND button, BOOL down)
{
    if (!button)
        return;
    SetIconButtonDownQuiet(button, down);
    Repaint(button);
}

void SetIconButtonDownQuiet(HWND button, BOOL down)
{
    if (!button)
        return;
    LONG style = Style(button) & ~kIconMixed;
    style = down ? (style | kIconDown) : (style & ~kIconDown);
    SetStyle(button, style);
}

void SetIconButtonBits(HWND button, BOOL on, LONG mask)
{
    if (!button)
        return;
    LONG style = Style(button);
    style = on ? (style | mask) : (style & ~mask);
    style &= ~kIconDown;
    SetStyle(button, style);
    Repaint(button);
}

BOOL IsIconButtonDown(HWND button)
{
    return button && (Style(button) & kIconDown) ? TRUE : FALSE;
}

void PatBltFrame(HDC dc, const RECT* rect, DWORD rasterOp)
{
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    LPtoDP(dc, corners, 2);
    corners[0].x += 1;
    corners[0].y += 1;
    corners[1].x -= 1;
    corners[1].y -= 1;
    DPtoLP(dc, corners, 2);
    RECT inner = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    // A side that did not move in logical units still moves by one unit.
    if (inner.left == rect->left)
        inner.left += 1;
    if (inner.top == rect->top)
        inner.top += 1;
    if (inner.right == rect->right)
        inner.right -= 1;
    if (inner.bottom == rect->bottom)
        inner.bottom -= 1;
    const int w = rect->right - rect->left;
    PatBlt(dc, rect->left, rect->top, w, inner.top - rect->top, rasterOp);
    PatBlt(dc, inner.right, inner.top, rect->right - inner.right, inner.bottom - inner.top, rasterOp);
    PatBlt(dc, rect->left, inner.bottom, w, rect->bottom - inner.bottom, rasterOp);
    PatBlt(dc, rect->left, inner.top, inner.left - rect->left, inner.bottom - inner.top, rasterOp);
}

HBITMAP MakeBitmapMask(HDC dc, HBITMAP bitmap)
{
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info))
        return nullptr;
    HBITMAP mask = CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr);
    if (!mask)
        return nullptr;
    HDC maskDc = CreateCompatibleDC(dc);
    HDC sourceDc = CreateCompatibleDC(dc);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    HGDIOBJ oldSource = SelectObject(sourceDc, bitmap);
    PatBlt(maskDc, 0, 0, info.bmWidth, info.bmHeight, WHITENESS);
    SetBkColor(sourceDc, RGB(0xC0, 0xC0, 0xC0));
    SetTextColor(sourceDc, RGB(0, 0, 0));
    BitBlt(maskDc, 0, 0, info.bmWidth, info.bmHeight, sourceDc, 0, 0, SRCAND);
    SelectObject(sourceDc, oldSource);
    SelectObject(maskDc, oldMask);
    DeleteDC(sourceDc);
    DeleteDC(maskDc);
    return mask;
}
