// The radio checks of the attribute lists: the colour, shading and style
// items that match what the selection has in common.
#pragma once
#include <windows.h>

#include <cstdint>

// The item of a colour list (base + table index) whose standard colour is
// `colour`, or 0 when none is.
int ColourItem(int base, int32_t colour);
// The Shading item of a fill mode (0 counts as solid), or 0.
int ShadingItem(int32_t fillMode);
// The Style item of a line style and width: none and solid check the width
// (widthBase + width), the dashes their style (dashBase + style); 0 unset.
int StyleItem(int32_t lineStyle, int32_t lineWidth, int widthBase, int dashBase);
// The Text popup's alignment item of a vertical (0 top, 6 middle, 8 bottom)
// and horizontal (0 left, 2 right, 6 centre, 32 flush) code, or 0.
int AlignmentItem(int32_t vertical, int32_t horizontal);
// Radio-checks `item` within first..last of the popup (or its submenus);
// item 0 unchecks the whole range.
void CheckListItem(HMENU popup, int first, int last, int item);
