// The data object Cut and Copy put on the OLE clipboard: every rendering is
// made, when a program asks for it, from the clipboard scratch store.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "common/error_codes.h"

// The one clipboard data object of the run.
IDataObject* ClipboardDataObject();
// Whether the copy offers links to the view's document file (only a Copy of
// a document that has one).
void SetClipboardDocName(HWND view, int allowLinks);
// Puts the clipboard data object on the OLE clipboard.
ErrorCode PutDrawingOnClipboard();
// Whether our clipboard data object holds the clipboard now.
int ClipboardObjectOwnsClipboard();

// What a rendering request makes; also the drag object's renderings.
HRESULT RenderScratchFormat(int index, STGMEDIUM* medium, bool links, const char* documentPath);
// Writes the scratch store's drawing into a storage as an embedding.
HRESULT WriteScratchContents(IStorage* storage);
// A compound file on global memory (given, or new); none on failure.
IStorage* CreateStorageOnMemory(HGLOBAL memory, BOOL release, DWORD mode);
