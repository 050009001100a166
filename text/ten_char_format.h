// Character formats by message: one attribute set over the selection or on
// the typing format, read back with mixed values, the style toggles and the
// font dialog.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "text/ten_state.h"

// Selectors of TENM_SETCHARFORMAT and TENM_GETCHARFORMAT (wParam & 0x73FC).
enum TenCharSelector : int {
    kCharFace = 4,
    kCharSize = 8,
    kCharStyle = 16,
    kCharColor = 32,
    kCharScript = 64,
    kCharParagraph = 128,
    kCharFlags = 256,
    kCharHyphenation = 4096,
    kCharGrow = 8192,
    kCharShrink = 0x4000,
};
const int kCharSelectorMask = 0x73FC;
const int kKeepSymbolFaces = 0x400;
const int kUndoCharFormat = 6;

ErrorCode SetTenCharFormat(HWND window, TenState* state, WPARAM flags, LPARAM value);
LRESULT GetTenCharFormat(TenState* state, int selector);
ErrorCode ApplyTenCharFormat(TenState* state, LPARAM value, WPARAM flags);
// bit 1, 2, 4 bold, italic, underline; 16 superscript; 32 subscript.
void ToggleTenStyle(HWND editor, int bit);
// TENM_FONTDIALOG: always 1.
LRESULT ChooseTenFont(HWND window);
