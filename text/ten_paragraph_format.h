// Paragraph formats by message: alignment, vertical alignment, line
// spacing, word wrap and the paragraph-format table.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "text/ten_state.h"

const int kUndoAlignment = 10;
const int kUndoWrapping = 12;
const int kUndoSpacing = 14;

ErrorCode SetTenAlignment(HWND window, TenState* state, int flags, int alignment);
int GetTenAlignment(TenState* state);
ErrorCode SetTenVAlign(HWND window, TenState* state, int flags, int alignment);
ErrorCode AdjustTenSpacing(HWND window, TenState* state, int flags, int amount);
int GetTenSpacing(TenState* state);
ErrorCode SetTenWordWrap(HWND window, TenState* state, int flags, int on);
// Copies the typing format's paragraph record; always 1.
int GetCaretParagraph(TenState* state, TextParagraph* out);
int SameTenParagraph(const TextParagraph& a, const TextParagraph& b);
// The index of an equal record, appended when new; -1 when the table is full.
int FindOrAddTenParagraph(HWND editor, TenState* state, const TextParagraph* record);
