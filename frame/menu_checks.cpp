#include "frame/menu_checks.h"

#include "objects/color_table.h"
#include "resources/menu_ids.h"

namespace {

const int kMostFillMode = 6;
const int kNoLine = 0;
const int kSolidLine = 1;
const int kListSpan = 49;  // a style list's ids: base .. base + 49

} // namespace

int ColourItem(int base, int32_t colour)
{
    if (colour < 0)
        return 0;
    const COLORREF* table = StandardColors();
    for (int i = 0; table && i < kColorTableSize; ++i)
        if (table[i] == static_cast<COLORREF>(colour))
            return base + i;
    return 0;
}

int ShadingItem(int32_t fillMode)
{
    if (fillMode < 0 || fillMode > kMostFillMode)
        return 0;
    return IDM_SHADING_BASE + (fillMode == 0 ? 1 : fillMode);
}

int StyleItem(int32_t lineStyle, int32_t lineWidth, int widthBase, int dashBase)
{
    if (lineStyle < 0)
        return 0;
    if (lineStyle == kNoLine || lineStyle == kSolidLine)
        return lineWidth >= 0 && lineWidth <= kListSpan ? widthBase + lineWidth : 0;
    return lineStyle <= kListSpan ? dashBase + lineStyle : 0;
}

int AlignmentItem(int32_t vertical, int32_t horizontal)
{
    int row = 0;
    switch (vertical) {
    case 0: row = IDM_TEXT_ALIGN_TOP; break;
    case 6: row = IDM_TEXT_ALIGN_MIDDLE; break;
    case 8: row = IDM_TEXT_ALIGN_BOTTOM; break;
    default: return 0;
    }
    switch (horizontal) {
    case 0: return row + IDM_TEXT_ALIGN_LEFT_DIGIT;
    case 2: return row + IDM_TEXT_ALIGN_RIGHT_DIGIT;
    case 6: return row + IDM_TEXT_ALIGN_CENTER_DIGIT;
    case 32: return row + IDM_TEXT_ALIGN_FLUSH_DIGIT;
    default: return 0;
    }
}

void CheckListItem(HMENU popup, int first, int last, int item)
{
    if (!popup)
        return;
    // The lists leave gaps in their ranges, which a radio range may not span.
    for (int id = first; id <= last; ++id)
        if (id != item)
            CheckMenuItem(popup, static_cast<UINT>(id), MF_BYCOMMAND | MF_UNCHECKED);
    if (item >= first && item <= last)
        CheckMenuRadioItem(popup, static_cast<UINT>(item), static_cast<UINT>(item), static_cast<UINT>(item),
                           MF_BYCOMMAND);
}
