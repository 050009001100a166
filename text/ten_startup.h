// Layer 5, text/: the text engine and fonts; uses objects/ and below.

// The text engine's start-up and exit: its window class, clipboard format,
// default font, shared width buffer and double-byte check.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

extern UINT TenClipFormat;        // "TENClipClass"
extern HFONT TenDefaultFont;
extern int BreakBarHeight;        // default font height + 2
extern int BreakBarTextOffset;    // default font ascent
extern HGLOBAL CharWidthBuffer;   // 32-bit character widths, locked for the run
extern int32_t* CharWidths;
extern int CharWidthCapacity;
extern int DbcsEnabled;

extern const char kTenClassName[];
extern const char kTenClipFormatName[];

// 0, or 10002 when the class cannot be registered.
ErrorCode RegisterTenClass(HINSTANCE instance);
// 0, 10001 (clipboard format) or 10004 (font or buffer).
ErrorCode InitTen();
void TermTen();
