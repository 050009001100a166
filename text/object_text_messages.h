// The text-attribute kind messages on an object's stored text.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

// What the kind messages 13 to 23 and 85 carry (c), filled by the menus.
struct TextAttributeRequest {
    int32_t changeMask;     // 4 face, 8 size, 0x10 set style bits, 0x20 clear style bits
    int32_t unused1;
    int32_t face;           // font-table slot
    int32_t size;           // points
    int32_t setStyle;
    int32_t clearStyle;
    int32_t wordWrap;
    COLORREF color;
    int32_t unused2;
    int32_t alignment;      // horizontal, or the bullet kind for 85
    int32_t verticalAlignment;
};
static_assert(sizeof(TextAttributeRequest) == 44, "text attribute request");

// Messages 13..23 and 85 on the text of the object's text holder; c points
// at a TextAttributeRequest. 0 when the object has no text holder.
ErrorCode ApplyObjectTextMessage(void* drawing, void* table, int index, int message, INT_PTR a, INT_PTR c);
