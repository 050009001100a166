// Owner-drawn menu items: colour and shading swatches and bitmap items.
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

// Item data of a shading swatch: the shading index minus 2 to the 25th.
const ULONG_PTR kShadingSwatchTag = 0xFE000000u;
bool IsShadingSwatch(ULONG_PTR itemData);
const ULONG_PTR kNoneSwatch = 0xFFFFFFFFu;

void MeasureSwatchMenuItem(MEASUREITEMSTRUCT* item);
void MeasureStyleMenuItem(MEASUREITEMSTRUCT* item);
void MeasureBitmapMenuItem(MEASUREITEMSTRUCT* item);
void DrawSwatchMenuItem(const DRAWITEMSTRUCT* item, HPALETTE palette);
void DrawBitmapMenuItem(const DRAWITEMSTRUCT* item);
