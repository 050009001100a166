#include "common/popup_picker.h"

#include "common/icon_button.h"
#include "common/menu_bitmaps.h"
#include "common/menu_items.h"
#include "common/pattern_brushes.h"
#include "common/results.h"

const char kPopupClassName[] = "SEPOPUP";

namespace {

const int kFocusInset = 5;
const int kMaxIndex = 99;
const int kFocusBrush = 1;
const LONG kNoColour = -1;
const UINT kBitmapNumberMask = 0xFFFF;

LONG_PTR Word(HWND window, int word)
{
    return GetWindowLongPtrA(window, word * static_cast<int>(sizeof(LONG_PTR)));
}

void SetWord(HWND window, int word, LONG_PTR value)
{
    SetWindowLongPtrA(window, word * static_cast<int>(sizeof(LONG_PTR)), value);
}

HMENU PickerMenu(HWND window)
{
    return reinterpret_cast<HMENU>(Word(window, kPopupMenu));
}

int MenuItems(HWND window)
{
    HMENU menu = PickerMenu(window);
    return menu ? GetMenuItemCount(menu) : 0;
}

bool Pictures(HWND window)
{
    return Word(window, kPopupPictures) != 0;
}

void ToggleFocusFrame(HWND window, HDC dc)
{
    RECT frame;
    GetClientRect(window, &frame);
    InflateRect(&frame, -kFocusInset, -kFocusInset);
    HGDIOBJ old = SelectObject(dc, PatternBrushes[kFocusBrush]);
    PatBltFrame(dc, &frame, PATINVERT);
    SelectObject(dc, old);
}

void OnFocusChange(HWND window)
{
    HDC dc = GetDC(window);
    ToggleFocusFrame(window, dc);
    ReleaseDC(window, dc);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    PaintPopupButton(window, dc);
    if (GetFocus() == window)
        ToggleFocusFrame(window, dc);
    EndPaint(window, &paint);
}

void OnMeasureItem(HWND window, MEASUREITEMSTRUCT* item)
{
    if (Pictures(window))
        MeasureBitmapMenuItem(item);
    else
        MeasureSwatchMenuItem(item);
}

void OnDrawItem(HWND window, const DRAWITEMSTRUCT* item)
{
    if (Pictures(window)) {
        DrawBitmapMenuItem(item);
        return;
    }
    SwatchAsFill = MenuItems(window) > kPopupPenColourItems ? 1 : 0;
    DrawSwatchMenuItem(item, reinterpret_cast<HPALETTE>(Word(window, kPopupPalette)));
    SwatchAsFill = 1;
}

void OnKeyDown(HWND window, WPARAM key)
{
    if (key != VK_SPACE)
        return;
    RECT client;
    GetClientRect(window, &client);
    PostMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
}

// The table entry at the index, or null when the index names none.
const LONG* EntryAt(HWND window, int index)
{
    const LONG* values = reinterpret_cast<const LONG*>(Word(window, kPopupValues));
    if (!values || index < 0 || index >= MenuItems(window))
        return nullptr;
    return &values[index];
}

// The menu bitmap of entry `index`: from the value table, or from the menu
// item itself when the owner gave no table.
HBITMAP PictureAt(HWND window, int index)
{
    if (index < 0 || index >= MenuItems(window))
        return nullptr;
    const LONG* entry = EntryAt(window, index);
    if (entry)
        return GetMenuBitmap(static_cast<int>(static_cast<UINT>(*entry) & kBitmapNumberMask));
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(PickerMenu(window), static_cast<UINT>(index), TRUE, &info))
        return nullptr;
    return GetMenuBitmap(static_cast<int>(info.dwItemData & kBitmapNumberMask));
}

// An index past the table has no picture: the face stays empty.
void PaintPicture(HWND window, HDC dc, const RECT& client)
{
    HBITMAP bitmap = PictureAt(window, static_cast<int>(Word(window, kPopupIndex)));
    DrawIconButtonFaceUp(window, dc, &client, bitmap, kIconRim, 0);
}

void PaintSwatch(HWND window, HDC dc, const RECT& client)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_STATIC;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = window;
    item.hDC = dc;
    item.rcItem = client;
    item.itemData = static_cast<ULONG_PTR>(static_cast<ULONG>(PopupShownValue(window)));
    SwatchAsFill = MenuItems(window) > kPopupPenColourItems ? 1 : 0;
    DrawColourSwatch(&item, reinterpret_cast<HPALETTE>(Word(window, kPopupPalette)), false);
    SwatchAsFill = 1;
}

} // namespace

ATOM RegisterPopupClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PopupHandler;
    windowClass.cbWndExtra = kPopupWindowBytes;
    windowClass.hInstance = instance;
    windowClass.hCursor = AppCursors[0] ? AppCursors[0] : LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kPopupClassName;
    return RegisterClassA(&windowClass);
}

void SetPopupData(HWND dialog, int controlId, LONG current, const LONG* values, HPALETTE palette, HMENU menu,
                  int index, BOOL pictures)
{
    HWND window = GetDlgItem(dialog, controlId);
    if (!window)
        return;
    SetWord(window, kPopupValues, reinterpret_cast<LONG_PTR>(values));
    SetWord(window, kPopupCurrent, current);
    SetWord(window, kPopupMenu, reinterpret_cast<LONG_PTR>(menu));
    SetWord(window, kPopupIndex, index);
    SetWord(window, kPopupPalette, reinterpret_cast<LONG_PTR>(palette));
    SetWord(window, kPopupPictures, pictures);
}

LONG PopupShownValue(HWND window)
{
    const int index = static_cast<int>(Word(window, kPopupIndex));
    if (index >= kPopupTransparentIndex)
        return kNoColour;
    if (index < 0)
        return static_cast<LONG>(Word(window, kPopupCurrent));
    const LONG* entry = EntryAt(window, index);
    return entry ? *entry : static_cast<LONG>(Word(window, kPopupCurrent));
}

void PaintPopupButton(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    if (Pictures(window))
        PaintPicture(window, dc, client);
    else
        PaintSwatch(window, dc, client);
}

void SelectPopupIndex(HWND window, UINT commandId)
{
    HMENU menu = PickerMenu(window);
    if (!menu || GetMenuItemCount(menu) <= 0)
        return;
    const int index = static_cast<int>(commandId) - static_cast<int>(GetMenuItemID(menu, 0));
    if (index < 0 || index > kMaxIndex)
        return;
    SetWord(window, kPopupIndex, index);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    SendMessageA(GetParent(window), WM_COMMAND, static_cast<WPARAM>(GetDlgCtrlID(window)), index);
}

void DropPopupMenu(HWND window, int x, int y)
{
    RECT client;
    GetClientRect(window, &client);
    const POINT point = {x, y};
    HMENU menu = PickerMenu(window);
    if (!menu || !PtInRect(&client, point))
        return;
    POINT corner = {client.left, client.bottom};
    ClientToScreen(window, &corner);
    RECT keep;
    GetWindowRect(window, &keep);
    TrackPopupMenu(menu, TPM_LEFTBUTTON, corner.x, corner.y, 0, window, &keep);
}

LRESULT CALLBACK PopupHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocusChange(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_MEASUREITEM:
        OnMeasureItem(window, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        DropPopupMenu(window, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
    case WM_INITMENUPOPUP:
        return 0;
    case WM_COMMAND:
        SelectPopupIndex(window, LOWORD(wParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
