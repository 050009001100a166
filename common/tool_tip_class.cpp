#include "common/tool_tip_class.h"

#include "common/app_globals.h"
#include "common/display_flags.h"
#include "common/string_helpers.h"
#include "common/tool_tip_state.h"
#include "common/tool_tips.h"

const char kToolTipClassName[] = "SEToolTipClass";
HBRUSH ToolTipBrush = nullptr;

namespace {

const COLORREF kMonochromeTipColor = RGB(0xFF, 0xFF, 0xFF);
const COLORREF kTipColor = RGB(0xFF, 0xFF, 0x67);
const int kSystemTipColoursFrom = 4;  // Windows version with COLOR_INFOBK

bool SystemTipColours()
{
    return WindowsMajorVersion >= kSystemTipColoursFrom;
}

void TipText(HWND tip, char* text)
{
    text[0] = '\0';
    HWND source = reinterpret_cast<HWND>(GetWindowLongPtrA(tip, kTipSourceWord));
    if (source && IsWindow(source))
        GetWindowTextA(source, text, kTipTextSize);
    if (text[0])
        return;
    const int stringId = static_cast<int>(GetWindowLongA(tip, kTipStringIdWord));
    if (stringId < 0)
        ItemToolTipText(ToolTipSource, ToolTipItem, text);
    else
        LoadStrOrBlank(stringId, text);
}

void OnPaint(HWND tip)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(tip, &paint);
    if (!dc)
        return;
    char text[kTipTextSize];
    TipText(tip, text);
    HGDIOBJ old = SelectObject(dc, ToolTipFontOrStock());
    SetBkMode(dc, TRANSPARENT);
    if (SystemTipColours())
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    TextOutA(dc, 0, 0, text, lstrlenA(text));
    SelectObject(dc, old);
    EndPaint(tip, &paint);
}

} // namespace

LRESULT CALLBACK SEToolTipWProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

ATOM RegisterToolTipClass(HINSTANCE instance)
{
    ToolTipBrush = CreateSolidBrush(MonochromeDisplay ? kMonochromeTipColor : kTipColor);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_SAVEBITS;
    windowClass.cbWndExtra = kTipWindowBytes;
    windowClass.lpfnWndProc = SEToolTipWProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = SystemTipColours() ? reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1) : ToolTipBrush;
    windowClass.lpszClassName = kToolTipClassName;
    const ATOM atom = RegisterClassA(&windowClass);
    if (atom)
        ToolTipTimerProc = SEToolTimerProc;
    return atom;
}

void ShutdownToolTips()
{
    KillToolTipTimer();
    DestroyToolTipWindow();
    ToolTipTimerProc = nullptr;
    if (ToolTipBrush)
        DeleteObject(ToolTipBrush);
    ToolTipBrush = nullptr;
}
