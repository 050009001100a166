// The drawing view's window procedure: painting, scrolling, keys, the mouse
// and the notifications of the text editor over it.
#include "view/fit_editor_box.h"
#include "common/help_mode.h"
#include "common/mapping.h"
#include "common/results.h"
#include "common/tool_tips.h"
#include "documents/document_records.h"
#include "objects/view_record.h"
#include "common/app_globals.h"
#include "documents/document_window_hooks.h"
#include "resources/resource_ids.h"
#include "view/edit_operations.h"
#include "view/hit_test_drawing.h"
#include "view/paint_view.h"
#include "view/ruler_paint.h"
#include "view/scroll_view.h"
#include "view/tool_palette.h"
#include "view/object_text_edit.h"
#include "view/tracking_state.h"
#include "documents/view_children.h"
#include "view/view_keyboard.h"
#include "view/view_mouse.h"
#include "objects/view_record_word.h"
#include "documents/view_settings.h"
#include "view/view_windows.h"

namespace {

enum ViewNotification : UINT {
    kNotifyBoxResize = 1133,
    kNotifyCharFormat = 1153,
    kNotifyScript = 1162,
    kNotifyTextTooLong = 1180,
    kNotifyVisibleArea = 1185,
    kNotifyDragLeft = 1187,
    kNotifyEditorUndo = 1188,
    kNotifyDefaultAttr = 1195,
};

const int kSelectTool = 108;
const int kPencilCursor = 14;

void OnCreate(HWND view)
{
    HDC dc = GetDC(view);
    SetZoomMapMode(dc, 0, 600);
    SetTextAlign(dc, TA_BASELINE);
    SetBkMode(dc, TRANSPARENT);
    SetStretchBltMode(dc, COLORONCOLOR);
    ReleaseDC(view, dc);
}

void OnDestroy(HWND view)
{
    DestroyViewData(view);
    FreeWindowBlock(view, kViewSettingsWord);
}

void OnPaint(HWND view)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    PaintDrawingView(view, dc, &paint.rcPaint);
    EndPaint(view, &paint);
}

const int kTextTool = 109;
const int kPointerCode = 10;
const int kTextCode = 17;

// The application cursor for what lies under the pointer; -1 for none.
int CursorForHit(int hit)
{
    switch (hit) {
    case 1: case 4: case 24: case 27: case 64: case 65:
        return 6;
    case 2: case 3: case 25: case 26: case 28: case 29: case 66: case 67:
        return 5;
    case 5: case 6: case 22: case 23: case 51: case 53: case 62: case 63:
        return 7;
    case 7: case 8: case 20: case 21: case 50: case 52: case 60: case 61:
        return 8;
    case 40: case 41: case 42: case 44:
        return 12;
    case 45:
        return 16;
    default:
        return hit >= 140 && hit <= 145 ? 17 : -1;
    }
}

// The hit under the pointer for a tool code; 0 without a drawing.
int HitUnderPointer(HWND view, int toolCode, bool* haveDrawing)
{
    ViewRecord* record = LockViewRecord(view);
    HGLOBAL drawing = record ? GetViewDrawingHandle(record) : nullptr;
    if (record)
        ReleaseViewRecord(view);
    *haveDrawing = drawing != nullptr;
    if (!drawing)
        return 0;
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(view, &point);
    HDC dc = GetDC(view);
    DPtoLP(dc, &point, 1);
    ReleaseDC(view, dc);
    int index = -1;
    int kind = -1;
    return HitTestDrawing(drawing, point.x, point.y, toolCode, nullptr, &index, &kind, FALSE);
}

bool SetViewCursor(HWND view)
{
    if (!GetViewRecordHandle(view))
        return false;
    // A Ctrl+Shift zoom cursor stays while both keys are held.
    if ((GetKeyState(VK_CONTROL) & 0x8000) && (GetKeyState(VK_SHIFT) & 0x8000))
        return true;
    bool haveDrawing = false;
    if (CurrentPaletteTool == kSelectTool) {
        const int cursor = CursorForHit(HitUnderPointer(view, kPointerCode, &haveDrawing));
        if (cursor < 0)
            return false;
        SetAppCursor(cursor);
        return true;
    }
    if (CurrentPaletteTool == kTextTool) {
        const int hit = HitUnderPointer(view, kTextCode, &haveDrawing);
        if (!haveDrawing)
            return false;
        SetAppCursor(hit == 40 ? 0 : 3);
        return true;
    }
    SetAppCursor(kPencilCursor);
    return true;
}

void OnMouseMove(HWND view, WPARAM keys, LPARAM lParam)
{
    HideToolTip();
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ShowPointerPosition(view, &point);
    if (TrackingMode)
        ViewMouseMove(view, keys, point);
}

void OnButtonDown(HWND view, UINT message, WPARAM keys, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (HelpMode)
        EndHelpMode();
    else if (!TrackingMode)
        ViewButtonDown(view, keys, point, message == WM_RBUTTONDOWN);
    if (message == WM_RBUTTONDOWN && RightMenu) {
        // The press acts as a whole click before the menu opens.
        SendMessageA(view, WM_RBUTTONUP, keys, lParam);
        FrameCalls.trackRightMenu(view, point);
    }
}

void OnButtonUp(HWND view, WPARAM keys, LPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (TrackingMode)
        ViewButtonUp(view, keys, point);
}

// The wheel scrolls up and down, sideways with Shift held or when tilted (a
// tilt to the right is positive, the opposite sense of the wheel's turn).
// Not during a drag: its feedback is drawn where the drawing was.
void OnMouseWheel(HWND view, UINT message, WPARAM wParam)
{
    if (TrackingMode)
        return;
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if (message == WM_MOUSEHWHEEL)
        ScrollViewByWheel(view, -delta, 0);
    else
        ScrollViewByWheel(view, delta, (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) ? 0 : 1);
}

// The editor measures its box in pixels of the unscrolled drawing, so the
// part in sight is the client area moved by the scroll positions, in pixels.
void OnVisibleArea(HWND view, LPARAM lParam)
{
    auto* rect = reinterpret_cast<RECT*>(lParam);
    if (!rect || !ViewEditorOf(view))
        return;
    GetClientRect(view, rect);
    OffsetRect(rect, GetScrollPos(view, SB_HORZ), GetScrollPos(view, SB_VERT));
}

LRESULT OnDragLeft(HWND view, LPARAM lParam)
{
    ReleaseCapture();
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ScreenToClient(view, &point);
    SendMessageA(view, WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(point.x, point.y));
    return 1;
}

void WarnTextTooLong()
{
    char text[261];
    char title[261];
    LoadStringA(AppInstance ? AppInstance : GetModuleHandleA(nullptr), IDS_TEXT_TOO_LONG, text, sizeof(text));
    LoadStringA(AppInstance ? AppInstance : GetModuleHandleA(nullptr), IDS_APP_TITLE, title, sizeof(title));
    MessageBoxA(MainWindow, text, title, MB_TASKMODAL | MB_ICONWARNING);
}

LRESULT OnNotification(HWND view, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kNotifyBoxResize:
        return FitEditorBox(view, reinterpret_cast<int32_t*>(lParam));
    case kNotifyCharFormat:
        if ((wParam & 0x10) && PaletteWindow)
            SendMessageA(PaletteWindow, message, wParam, lParam);
        return 0;
    case kNotifyScript:
        if ((wParam & 0x40) && PaletteWindow)
            SendMessageA(PaletteWindow, message, wParam, lParam);
        return 0;
    case kNotifyTextTooLong:
        WarnTextTooLong();
        ReleaseCapture();
        return 0;
    case kNotifyVisibleArea:
        OnVisibleArea(view, lParam);
        return 0;
    case kNotifyDragLeft:
        return OnDragLeft(view, lParam);
    case kNotifyEditorUndo:
        ClearDocumentUndo(view);
        return 0;
    case kNotifyDefaultAttr:
        SetDefaultTextAttr(view, static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    default:
        return 0;
    }
}

} // namespace

LRESULT CALLBACK SEScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_ACTIVATE:
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window && SetViewCursor(window))
            return 0;
        break;
    case WM_KEYDOWN:
        HandleViewKeyDown(window, static_cast<int>(wParam));
        return 0;
    case WM_KEYUP:
        HandleViewKeyUp(window, static_cast<int>(wParam));
        return 0;
    case WM_CHAR:
        HandleViewChar(window, static_cast<int>(wParam & 0xFF), lParam);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollView(window, LOWORD(wParam), message == WM_HSCROLL ? 0 : 1, static_cast<short>(HIWORD(wParam)),
                   nullptr);
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        OnMouseWheel(window, message, wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(window, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        OnButtonDown(window, message, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        OnButtonUp(window, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse in mid-drag: end the gesture cleanly.
        if (reinterpret_cast<HWND>(lParam) != window)
            CancelTracking(window);
        return 0;
    case WM_LBUTTONDBLCLK: {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (HelpMode)
            EndHelpMode();
        else
            ViewDoubleClick(window, wParam, point);
        return 0;
    }
    case kNotifyBoxResize:
    case kNotifyCharFormat:
    case kNotifyScript:
    case kNotifyTextTooLong:
    case kNotifyVisibleArea:
    case kNotifyDragLeft:
    case kNotifyEditorUndo:
    case kNotifyDefaultAttr:
        return OnNotification(window, message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
