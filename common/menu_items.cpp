#include "common/menu_items.h"

#include "common/app_globals.h"
#include "common/bitmap_blit.h"
#include "common/color_helpers.h"
#include "common/display_flags.h"
#include "common/error_codes.h"
#include "common/icon_button.h"
#include "common/menu_bitmaps.h"

int SwatchAsFill = 1;

namespace {

const int kSwatchSide = 20;
const int kStyleSide = 30;
const int kIdsPerList = 100;
// Items late in a colour list (or past the first few patterns) sit in the
// menu's last columns, which the menu draws 3 pixels narrower.
const int kSwatchLateColumnFrom = 40;
const int kStyleLateColumnFrom = 3;
const int kLateColumnNarrowing = 3;
const int kCheckMarkPadding = 2;
const int kWideCodeLimit = 100;
const int kWideCodeExtra = 3;
const int kTransparentBitmap = 1100;
const int kTransparentString = 1200;
const int kPatternCount = 5;
const ULONG_PTR kPatternMask = 0x00FFFFFFu;
const COLORREF kLightGrey = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kDarkGrey = RGB(0x80, 0x80, 0x80);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
const int kSelectionPenWidth = 2;

ULONG_PTR Low32(ULONG_PTR data)
{
    return data & 0xFFFFFFFFu;
}

// Pattern numbers past the hatch styles have no hatch: they show plain white.
HBRUSH SwatchBrush(HDC dc, ULONG_PTR data)
{
    if (Low32(data) == kNoneSwatch)
        return CreateSolidBrush(PALETTERGB(0xFF, 0xFF, 0xFF));
    if (IsShadingSwatch(data)) {
        const int pattern = static_cast<int>(data & kPatternMask);
        if (pattern >= 1 && pattern <= kPatternCount)
            return CreateHatchBrush(pattern, kBlack);
        return CreateSolidBrush(PALETTERGB(0xFF, 0xFF, 0xFF));
    }
    const COLORREF color = MapOutputColor(dc, static_cast<COLORREF>(Low32(data)), SwatchAsFill ? 0 : 1);
    return CreateSolidBrush(color | PALETTERGB(0, 0, 0));
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void LinesInPen(HDC dc, COLORREF color, const int (*lines)[4], int count)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    for (int i = 0; i < count; ++i)
        Line(dc, lines[i][0], lines[i][1], lines[i][2], lines[i][3]);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawSunkenEdge(HDC dc, const RECT& r)
{
    const int dark[2][4] = {{r.left, r.top, r.right - 1, r.top}, {r.left, r.top, r.left, r.bottom - 1}};
    const int black[2][4] = {{r.left + 1, r.top + 1, r.right - 1, r.top + 1},
                             {r.left + 1, r.top + 1, r.left + 1, r.bottom - 1}};
    const int white[2][4] = {{r.right, r.bottom, r.right, r.top - 1}, {r.right, r.bottom, r.left, r.bottom}};
    LinesInPen(dc, kDarkGrey, dark, 2);
    LinesInPen(dc, kBlack, black, 2);
    LinesInPen(dc, kWhite, white, 2);
}

void DrawTransparentLabel(HDC dc, const RECT& r)
{
    RECT strip = {0, r.top, r.left, r.bottom};
    HBRUSH grey = CreateSolidBrush(kLightGrey);
    FillRect(dc, &strip, grey);
    DeleteObject(grey);
    char text[64] = "";
    if (LoadStringA(AppInstance, kTransparentString, text, sizeof(text)) <= 0)
        return;
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_RIGHT | TA_TOP);
    TextOutA(dc, r.left - 2, r.top + 1, text, lstrlenA(text));
}

void DrawTransparentMark(HDC dc, const RECT& r)
{
    HBITMAP mark = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(kTransparentBitmap));
    if (!mark)
        return;
    BITMAP info = {};
    GetObjectA(mark, sizeof(info), &info);
    const int x = r.left + (r.right - r.left - info.bmWidth) / 2 + 1;
    const int y = r.top + (r.bottom - r.top - info.bmHeight) / 2 + 1;
    BlitBitmap(dc, mark, x, y, SRCAND);
    DeleteObject(mark);
}

RECT SwatchSquare(const RECT& item, bool square)
{
    RECT r = item;
    if (square)
        r.right = r.left + (r.bottom - r.top);
    return r;
}

void DrawSelectionFrame(HDC dc, const RECT& item)
{
    RECT r = SwatchSquare(item, true);
    if (MonochromeDisplay)
        InflateRect(&r, -1, -1);
    const int saved = SaveDC(dc);
    HPEN black = CreatePen(PS_INSIDEFRAME, kSelectionPenWidth, kBlack);
    SelectObject(dc, black);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    Rectangle(dc, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
    RestoreDC(dc, saved);
    DeleteObject(black);
}

// The check-mark width taken off a swatch item's size, narrower in late columns.
int SwatchCheckMark(UINT id, int lateFrom)
{
    int mark = MenuCheckMarkWidth();
    if (static_cast<int>(id % kIdsPerList) > lateFrom)
        mark -= kLateColumnNarrowing;
    return mark;
}

void MeasureSquare(MEASUREITEMSTRUCT* item, int side, int lateFrom)
{
    const int mark = SwatchCheckMark(item->itemID, lateFrom);
    const int size = side > mark ? side : mark;
    item->itemWidth = static_cast<UINT>(size - mark);
    item->itemHeight = static_cast<UINT>(size);
}

bool Disabled(const DRAWITEMSTRUCT* item)
{
    return (item->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
}

} // namespace

int BitmapItemWidth(ULONG_PTR itemData)
{
    const int code = static_cast<int>((itemData >> 16) & 0xFF);
    return code <= kWideCodeLimit ? code : code - kWideCodeLimit;
}

int BitmapItemDrawWidth(ULONG_PTR itemData)
{
    const int code = static_cast<int>((itemData >> 16) & 0xFF);
    return code <= kWideCodeLimit ? code : code - kWideCodeLimit - kWideCodeExtra;
}

int BitmapItemHeight(ULONG_PTR itemData)
{
    return static_cast<int>((itemData >> 24) & 0xFF);
}

bool IsShadingSwatch(ULONG_PTR itemData)
{
    return (Low32(itemData) & 0xFF000000u) == kShadingSwatchTag && Low32(itemData) != kNoneSwatch;
}

int MenuCheckMarkWidth()
{
    return GetSystemMetrics(SM_CXMENUCHECK) + kCheckMarkPadding;
}

void MeasureSwatchMenuItem(MEASUREITEMSTRUCT* item)
{
    MeasureSquare(item, kSwatchSide, kSwatchLateColumnFrom);
}

void MeasureStyleMenuItem(MEASUREITEMSTRUCT* item)
{
    MeasureSquare(item, kStyleSide, kStyleLateColumnFrom);
}

void MeasureBitmapMenuItem(MEASUREITEMSTRUCT* item)
{
    const int width = BitmapItemWidth(item->itemData) - MenuCheckMarkWidth();
    item->itemWidth = static_cast<UINT>(width > 0 ? width : 0);
    item->itemHeight = static_cast<UINT>(BitmapItemHeight(item->itemData));
}

void DrawColourSwatch(const DRAWITEMSTRUCT* item, HPALETTE palette, bool square)
{
    HDC dc = item->hDC;
    RECT r = SwatchSquare(item->rcItem, square);
    const bool none = Low32(item->itemData) == kNoneSwatch;
    HBRUSH brush = SwatchBrush(dc, item->itemData);
    const int saved = SaveDC(dc);
    if (palette) {
        SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    HPEN light = CreatePen(PS_INSIDEFRAME, 1, MonochromeDisplay ? kBlack : kLightGrey);
    SelectObject(dc, light);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (none)
        DrawTransparentLabel(dc, r);
    if (!MonochromeDisplay)
        Rectangle(dc, r.left, r.top, r.right + 1, r.bottom);
    InflateRect(&r, -1, -1);
    SelectObject(dc, brush);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    if (none)
        DrawTransparentMark(dc, r);
    if (!MonochromeDisplay)
        DrawSunkenEdge(dc, r);
    if (item->itemState & ODS_CHECKED) {
        HPEN dotted = CreatePen(PS_DOT, 1, kBlack);
        SelectObject(dc, dotted);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, r.left + 2, r.top + 2, r.right - 1, r.bottom - 1);
        SelectObject(dc, light);
        DeleteObject(dotted);
    }
    RestoreDC(dc, saved);
    DeleteObject(light);
    DeleteObject(brush);
}

void DrawSwatchMenuItem(const DRAWITEMSTRUCT* item, HPALETTE palette)
{
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    if (item->itemAction & ODA_DRAWENTIRE) {
        DrawColourSwatch(item, palette, true);
        if (selected && !Disabled(item))
            DrawSelectionFrame(item->hDC, item->rcItem);
        return;
    }
    if (!(item->itemAction & ODA_SELECT) || Disabled(item))
        return;
    if (selected)
        DrawSelectionFrame(item->hDC, item->rcItem);
    else
        DrawColourSwatch(item, palette, true);
}

void DrawBitmapMenuItem(const DRAWITEMSTRUCT* item)
{
    RECT r = item->rcItem;
    r.right = r.left + BitmapItemDrawWidth(item->itemData);
    HDC dc = item->hDC;
    const bool disabled = Disabled(item);
    if (item->itemAction & ODA_DRAWENTIRE) {
        const int saved = SaveDC(dc);
        HBITMAP bitmap = GetMenuBitmap(static_cast<int>(item->itemData & 0xFFFF));
        const LONG style = disabled ? static_cast<LONG>(kIconGreyed) : 0;
        if (item->itemState & ODS_CHECKED)
            DrawIconButtonFaceDown(nullptr, dc, &r, bitmap, style, 0);
        else
            DrawIconButtonFaceUp(nullptr, dc, &r, bitmap, style, 0);
        RestoreDC(dc, saved);
        if ((item->itemState & ODS_SELECTED) && !disabled)
            InvertRect(dc, &r);
        return;
    }
    if ((item->itemAction & ODA_SELECT) && !disabled)
        InvertRect(dc, &r);
}

int CheckMenuRange(HMENU menu, UINT value, int first, int end, UINT flags)
{
    const bool byPosition = (flags & MF_BYPOSITION) != 0;
    if (byPosition) {
        const int count = GetMenuItemCount(menu);
        if (end > count)
            end = count;
    }
    int found = first;
    for (int i = first; i < end; ++i) {
        const UINT id = byPosition ? GetMenuItemID(menu, i) : static_cast<UINT>(i);
        const bool match = id == value;
        CheckMenuItem(menu, static_cast<UINT>(i), flags | (match ? MF_CHECKED : MF_UNCHECKED));
        if (match)
            found = byPosition ? i : i - first;
    }
    return found;
}

int FindValueIndex(const LONG* values, int count, LONG value)
{
    for (int i = 0; i < count; ++i)
        if (values[i] == value)
            return i;
    return -1;
}

void CheckMenuByValue(HMENU menu, const LONG* values, int count, LONG value)
{
    const int index = value == -1 ? count : FindValueIndex(values, count, value);
    const int items = GetMenuItemCount(menu);
    for (int i = 0; i < items; ++i)
        CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (i == index ? MF_CHECKED : MF_UNCHECKED));
}

int SetMenuItemText(HMENU menu, UINT commandId, int stringId)
{
    char text[256] = "";
    if (LoadStringA(AppInstance, static_cast<UINT>(stringId), text, sizeof(text)) <= 0)
        return kErrStringOrFormat;
    ModifyMenuA(menu, commandId, MF_BYCOMMAND | MF_STRING, commandId, text);
    return kErrNone;
}

void SetMenuItemCheck(HMENU menu, UINT commandId, bool on)
{
    CheckMenuItem(menu, commandId, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void EnableAllMenuItems(HMENU menu, UINT flags)
{
    const int items = GetMenuItemCount(menu);
    for (int i = 0; i < items; ++i)
        EnableMenuItem(menu, static_cast<UINT>(i), flags | MF_BYPOSITION);
}
