#include "common/tool_tips.h"

#include "common/app_globals.h"
#include "common/string_helpers.h"
#include "common/tool_tip_class.h"
#include "common/tool_tip_state.h"

HFONT ToolTipFont = nullptr;
ToolTipItemCalls ToolTipItems = {nullptr, nullptr, nullptr, nullptr};
TIMERPROC ToolTipTimerProc = nullptr;
UINT_PTR ToolTipTimer = 0;
HWND ToolTipWindow = nullptr;
HWND ToolTipSource = nullptr;
int ToolTipItem = -1;

namespace {

const UINT kRestMs = 1000;
const UINT_PTR kTimerId = 1;
const int kWholeWindow = -1;
const int kStringIdBase = 6000;
const int kTipMargin = 3;
const int kBelowPointer = 16;
const int kRightEdgeInset = 8;

bool IsLibrary(HWND window)
{
    return ToolTipItems.isLibraryWindow && window && ToolTipItems.isLibraryWindow(window);
}

// While another window is active (a dialog, say) only the library windows,
// which float on their own, get tips.
bool TipsAllowedFor(HWND source)
{
    return GetActiveWindow() == MainWindow || IsLibrary(source);
}

bool TipShown()
{
    return ToolTipWindow && IsWindowVisible(ToolTipWindow);
}

void StartToolTipTimer(HWND source, int item)
{
    ToolTipSource = nullptr;
    if (ToolTipTimer)
        return;
    ToolTipTimer = SetTimer(nullptr, kTimerId, kRestMs, ToolTipTimerProc);
    if (!ToolTipTimer)
        return;
    ToolTipSource = source;
    ToolTipItem = item;
}

SIZE MeasureTip(HWND source, const char* text)
{
    SIZE size = {0, 0};
    HDC dc = GetDC(source);
    if (!dc)
        return size;
    HGDIOBJ old = SelectObject(dc, ToolTipFontOrStock());
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(source, dc);
    size.cx += kTipMargin;
    size.cy += kTipMargin;
    return size;
}

// False when there is no text to show.
bool PlaceToolTip(HWND source, RECT* rect, int stringId, char* text)
{
    if (!text[0] && stringId >= 0)
        LoadStrOrBlank(stringId, text);
    if (!text[0])
        return false;
    POINT cursor;
    RECT sourceRect;
    if (!GetCursorPos(&cursor) || !GetWindowRect(source, &sourceRect))
        return false;
    const SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    *rect = PlaceToolTipRect(cursor, MeasureTip(source, text), sourceRect, screen);
    return true;
}

void ShowToolTipNow(HWND source, int item)
{
    DestroyToolTipWindow();
    if (!source)
        return;
    char text[kTipTextSize] = "";
    int stringId = kTipItemStringId;
    bool ownText = false;
    if (item == kWholeWindow) {
        GetWindowTextA(source, text, kTipTextSize);
        ownText = text[0] != '\0';
        stringId = GetDlgCtrlID(source) + kStringIdBase;
    } else {
        ItemToolTipText(source, item, text);
    }
    RECT rect;
    if (!PlaceToolTip(source, &rect, stringId, text) || !TipsAllowedFor(source))
        return;
    ToolTipWindow = CreateWindowExA(0, kToolTipClassName, "", WS_POPUP | WS_BORDER, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, MainWindow, nullptr,
                                    AppInstance, nullptr);
    if (!ToolTipWindow)
        return;
    ToolTipSource = source;
    ToolTipItem = item;
    SetWindowLongA(ToolTipWindow, kTipStringIdWord, stringId);
    SetWindowLongPtrA(ToolTipWindow, kTipSourceWord, ownText ? reinterpret_cast<LONG_PTR>(source) : 0);
    ShowWindow(ToolTipWindow, SW_SHOWNA);
}

// The tip for an item of a host window: shown while the pointer is over an
// item, hidden (not destroyed) between items.
void TrackItem(HWND window, int item)
{
    if (item >= 0)
        ShowToolTipFor(window, item);
    else if (TipShown() && ToolTipItem != kWholeWindow)
        ShowWindow(ToolTipWindow, SW_HIDE);
}

} // namespace

RECT PlaceToolTipRect(POINT cursor, SIZE tip, const RECT& source, SIZE screen)
{
    int x = cursor.x;
    if (x > source.right - kRightEdgeInset)
        x = source.right - kRightEdgeInset;
    int y = cursor.y + kBelowPointer;
    if (y + tip.cy > screen.cy)
        y -= (source.bottom - source.top) + tip.cy + kBelowPointer;
    if (x + tip.cx > screen.cx)
        x = screen.cx - tip.cx;
    return RECT{x, y, x + tip.cx, y + tip.cy};
}

void CALLBACK SEToolTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    DestroyToolTipWindow();
    if (ToolTipSource && IsWindow(ToolTipSource)) {
        POINT cursor;
        RECT target;
        GetCursorPos(&cursor);
        ScreenToClient(ToolTipSource, &cursor);
        bool found = ToolTipItem == kWholeWindow
                         ? GetClientRect(ToolTipSource, &target) != FALSE
                         : ToolTipItems.rect && ToolTipItems.rect(ToolTipSource, ToolTipItem, &target);
        if (found && PtInRect(&target, cursor))
            ShowToolTipNow(ToolTipSource, ToolTipItem);
    }
    KillToolTipTimer();
}

void KillToolTipTimer()
{
    if (ToolTipTimer)
        KillTimer(nullptr, ToolTipTimer);
    ToolTipTimer = 0;
}

void DestroyToolTipWindow()
{
    if (ToolTipWindow)
        DestroyWindow(ToolTipWindow);
    ToolTipWindow = nullptr;
}

void ItemToolTipText(HWND source, int item, char* text)
{
    text[0] = '\0';
    if (!ToolTipItems.text || !ToolTipItems.text(source, item, text, kTipTextSize))
        text[0] = '\0';
}

HFONT ToolTipFontOrStock()
{
    return ToolTipFont ? ToolTipFont : static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

void ShowToolTipFor(HWND source, int item)
{
    if (!ToolTipTimerProc || !TipsAllowedFor(source))
        return;
    const bool sameTarget = source == ToolTipSource && item == ToolTipItem;
    if (ToolTipTimer) {
        if (sameTarget)
            return;
        KillToolTipTimer();
    } else if (ToolTipWindow) {
        if (!sameTarget) {
            // Moving on from a shown tip: the next one comes at once.
            ShowToolTipNow(source, item);
        } else if (!IsWindowVisible(ToolTipWindow)) {
            ShowWindow(ToolTipWindow, SW_SHOWNA);
        }
        return;
    }
    StartToolTipTimer(source, item);
}

void HideToolTip()
{
    DestroyToolTipWindow();
    KillToolTipTimer();
}

void TrackPaletteToolTip(HWND palette)
{
    POINT cursor;
    if (!palette || !GetCursorPos(&cursor))
        return;
    POINT client = cursor;
    ScreenToClient(palette, &client);
    HWND target = ChildWindowFromPoint(palette, client);
    if (target && target != palette && !IsWindowVisible(target)) {
        RECT sourceRect;
        const bool stayOnSource = ToolTipSource && ToolTipItem == kWholeWindow &&
                                  GetWindowRect(ToolTipSource, &sourceRect) && PtInRect(&sourceRect, cursor);
        target = stayOnSource ? ToolTipSource : palette;
    }
    if (target && target != palette)
        ShowToolTipFor(target, kWholeWindow);
    else if (TipShown())
        ShowWindow(ToolTipWindow, SW_HIDE);
}

void TrackLibraryToolTip(HWND window)
{
    POINT cursor;
    if (!window || !ToolTipItems.itemAt || !GetCursorPos(&cursor))
        return;
    ScreenToClient(window, &cursor);
    TrackItem(window, ToolTipItems.itemAt(window, cursor));
}

void TrackItemToolTip(HWND window)
{
    // The browser's preview names its thumbnail cells through the same item
    // calls as the library windows name their buttons.
    TrackLibraryToolTip(window);
}

HWND CurrentToolTipWindow()
{
    return ToolTipWindow;
}
