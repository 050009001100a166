// Owner-drawn menu items: colour and pattern swatches and bitmap items, and
// the small helpers that check, relabel and enable menu items.
#pragma once
#include <windows.h>

// 1 while a swatch is painted as a fill colour, 0 as a pen colour.
extern int SwatchAsFill;

// Item data of a bitmap item: the bitmap's index in bits 0..15, a width code
// in bits 16..23 (up to 100 the width; above, a bitmap code - 103 wide in an
// item 3 pixels wider) and the height in bits 24..31.
int BitmapItemWidth(ULONG_PTR itemData);
int BitmapItemDrawWidth(ULONG_PTR itemData);
int BitmapItemHeight(ULONG_PTR itemData);

// Item data of a swatch (SwatchValue): a COLORREF, kNoneSwatch for no colour
// (the "Transparent" swatch), or kShadingSwatchTag + n for pattern n: 0 plain
// white, 1..5 the hatch styles HS_VERTICAL..HS_DIAGCROSS in black.
const ULONG_PTR kShadingSwatchTag = 0xFE000000u;
bool IsShadingSwatch(ULONG_PTR itemData);
const ULONG_PTR kNoneSwatch = 0xFFFFFFFFu;

// The width the menu adds to every item for its check mark.
int MenuCheckMarkWidth();

void MeasureSwatchMenuItem(MEASUREITEMSTRUCT* item);
void MeasureStyleMenuItem(MEASUREITEMSTRUCT* item);
void MeasureBitmapMenuItem(MEASUREITEMSTRUCT* item);
void DrawSwatchMenuItem(const DRAWITEMSTRUCT* item, HPALETTE palette);
void DrawBitmapMenuItem(const DRAWITEMSTRUCT* item);
// The swatch of item->itemData in item->rcItem; with square set only the
// square at the item's left.
void DrawColourSwatch(const DRAWITEMSTRUCT* item, HPALETTE palette, bool square);

// Radio-checks the item equal to value in positions (MF_BYPOSITION in flags)
// or command ids first..end - 1; returns its position or offset, first when
// none matches.
int CheckMenuRange(HMENU menu, UINT value, int first, int end, UINT flags);
// The index of the first entry equal to value, -1 when none.
int FindValueIndex(const LONG* values, int count, LONG value);
// Checks the item at value's index in the table (index count for -1, the
// "none" entry after the table) and unchecks every other item; a value that
// is not in the table leaves every item unchecked.
void CheckMenuByValue(HMENU menu, const LONG* values, int count, LONG value);
// 10001 when the string does not load.
int SetMenuItemText(HMENU menu, UINT commandId, int stringId);
void SetMenuItemCheck(HMENU menu, UINT commandId, bool on);
void EnableAllMenuItems(HMENU menu, UINT flags);
