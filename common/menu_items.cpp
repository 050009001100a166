#include "common/menu_items.h"

#include "common/menu_bitmaps.h"

int SwatchAsFill = 1;

namespace {

const int kSwatchSide = 20;
const int kShadingSide = 30;
const int kWideCodeLimit = 100;

ULONG_PTR Low32(ULONG_PTR data)
{
    return data & 0xFFFFFFFFu;
}

void FillSwatch(HDC dc, const RECT& area, ULONG_PTR data, HPALETTE palette)
{
    if (IsShadingSwatch(data)) {
        const int index = static_cast<int>(data & 0xFFFF);
        HBRUSH brush = index >= 1 && index <= 5 ? CreateHatchBrush(index, RGB(0, 0, 0))
                                                : CreateSolidBrush(RGB(255, 255, 255));
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        return;
    }
    if (Low32(data) == kNoneSwatch) {
        // "None": white crossed by one diagonal.
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        MoveToEx(dc, area.left, area.bottom - 1, nullptr);
        LineTo(dc, area.right, area.top - 1);
        return;
    }
    COLORREF color = static_cast<COLORREF>(Low32(data));
    if (palette)
        color = PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color));
    if (!SwatchAsFill)
        color = GetNearestColor(dc, color);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void FrameSwatch(HDC dc, RECT area, bool selected)
{
    FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (selected) {
        InflateRect(&area, 1, 1);
        FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&area, 1, 1);
        FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
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
    return code <= kWideCodeLimit ? code : code - kWideCodeLimit - 3;
}

int BitmapItemHeight(ULONG_PTR itemData)
{
    return static_cast<int>((itemData >> 24) & 0xFF);
}

bool IsShadingSwatch(ULONG_PTR itemData)
{
    return (Low32(itemData) & 0xFF000000u) == kShadingSwatchTag && Low32(itemData) != kNoneSwatch;
}

void MeasureSwatchMenuItem(MEASUREITEMSTRUCT* item)
{
    item->itemWidth = kSwatchSide;
    item->itemHeight = kSwatchSide;
}

void MeasureStyleMenuItem(MEASUREITEMSTRUCT* item)
{
    item->itemWidth = kShadingSide;
    item->itemHeight = kShadingSide;
}

void MeasureBitmapMenuItem(MEASUREITEMSTRUCT* item)
{
    // The menu adds the check-mark width to every owner-drawn item.
    const int width = BitmapItemWidth(item->itemData) - GetSystemMetrics(SM_CXMENUCHECK);
    item->itemWidth = static_cast<UINT>(width > 0 ? width : 1);
    item->itemHeight = static_cast<UINT>(BitmapItemHeight(item->itemData));
}

void DrawSwatchMenuItem(const DRAWITEMSTRUCT* item, HPALETTE palette)
{
    HDC dc = item->hDC;
    HPALETTE oldPalette = nullptr;
    if (palette) {
        oldPalette = SelectPalette(dc, palette, TRUE);
        RealizePalette(dc);
    }
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item->rcItem, GetSysColorBrush(COLOR_MENU));
    RECT swatch = item->rcItem;
    InflateRect(&swatch, -3, -3);
    FillSwatch(dc, swatch, item->itemData, palette);
    FrameSwatch(dc, swatch, selected);
    if (oldPalette)
        SelectPalette(dc, oldPalette, TRUE);
}

void DrawBitmapMenuItem(const DRAWITEMSTRUCT* item)
{
    HBITMAP bitmap = GetMenuBitmap(static_cast<int>(item->itemData & 0xFFFF));
    HDC dc = item->hDC;
    FillRect(dc, &item->rcItem, GetSysColorBrush(COLOR_MENU));
    if (!bitmap)
        return;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof(info), &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const int width = BitmapItemDrawWidth(item->itemData);
    const int height = BitmapItemHeight(item->itemData);
    const int drawWidth = width < info.bmWidth ? width : info.bmWidth;
    const int drawHeight = height < info.bmHeight ? height : info.bmHeight;
    const int x = item->rcItem.left;
    const int y = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - drawHeight) / 2;
    const DWORD op = (item->itemState & ODS_SELECTED) ? NOTSRCCOPY : SRCCOPY;
    BitBlt(dc, x, y, drawWidth, drawHeight, memory, 0, 0, op);
    SelectObject(memory, old);
    DeleteDC(memory);
}
