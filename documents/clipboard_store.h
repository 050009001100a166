// The program's registered clipboard formats and the clipboard scratch store
// (TESSRY3.CLP in the Windows folder) that holds the objects of the last cut
// or copy across runs.
#pragma once
#include <windows.h>

#include "common/clipboard_formats.h"
#include "common/error_codes.h"

// The scratch store's slot, -1 while it is not open.
extern int ClipboardScratchStore;

// 0, or 1 when a format does not register or the store can be neither kept nor made.
ErrorCode RegisterClipboardFormats();
// Compacts and closes the scratch store when it is open.
void CloseClipboardStore();
// The scratch store's path: the Windows folder and string 519.
void GetClipboardStorePath(char* path);
// Forgets the scratch store (its file handle closed) and makes a new empty
// one in its place; 1 when none can be made.
ErrorCode RemakeClipboardStore();
// Empties the clipboard (opened by the main window).
void EmptyClipboardNow();
