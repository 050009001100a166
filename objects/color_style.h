// A colour style: the colours and shadow of new objects. The drawing record
// keeps the current one; the options keep the list.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)
struct ColorStyle {
    COLORREF borderColor;
    COLORREF lineColor;
    COLORREF fillColor;
    COLORREF textColor;
    COLORREF shadowColor;
    COLORREF backgroundColor;
    COLORREF highlightColor;
    int32_t shadowDx;
    int32_t shadowDy;
    int32_t shadowKind;         // ShadowKind 0..5
    uint32_t flags;             // 1 shadow on lines, 2 shadow on text, 4 reverse text shadow
    char name[32];
};
#pragma pack(pop)

static_assert(sizeof(ColorStyle) == 76, "colour style");
static_assert(offsetof(ColorStyle, shadowColor) == 16, "");
static_assert(offsetof(ColorStyle, backgroundColor) == 20, "");
static_assert(offsetof(ColorStyle, highlightColor) == 24, "");
static_assert(offsetof(ColorStyle, shadowDx) == 28, "");
static_assert(offsetof(ColorStyle, shadowKind) == 36, "");
static_assert(offsetof(ColorStyle, flags) == 40, "");
static_assert(offsetof(ColorStyle, name) == 44, "");

enum ColorStyleFlags : uint32_t {
    kStyleShadowOnLines = 1,
    kStyleShadowOnText = 2,
    kStyleReverseTextShadow = 4,
};
