// Text copied from another program pasted into a drawing as a free text.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Whether the clipboard offers plain text and no picture (the caller holds it open).
bool ClipboardHasOnlyText();
// Makes the clipboard's plain text a new selected free text at the paste
// position, inside the caller's undo step. Nothing when there is no text.
ErrorCode PasteClipboardText(HWND view, void* viewRecord);
