// The Edit menu on a text editor: Cut, Copy, Paste and Clear through the
// clipboard ("TENClipClass" and CF_TEXT), and what the menu needs to know.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Clipboard data above this is not pasted; plain text is cut at 20,000 bytes.
const SIZE_T kMaxPasteBytes = 32000;
const int kMaxPastedPlainText = 20000;

// TenClipFormat, 1 (CF_TEXT) or 0.
UINT QueryTenPasteFormat(HWND window);
int HasTenSelection(HWND editor);
int GetTenUndoState(HWND editor, int* redo);
ErrorCode PasteTenText(HWND owner, HWND editor);
ErrorCode CopyTenSelection(HWND owner, HWND editor);
ErrorCode DeleteTenSelection(HWND owner, HWND editor, int cut);
