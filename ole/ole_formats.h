// The formats the program's data objects offer, one table for all of them,
// and the pieces of data that are the same whoever renders them.
#pragma once
#include <windows.h>
#include <ole2.h>

#include "common/error_codes.h"

enum OleFormatIndex : int {
    kOleNative,
    kOleEmbedSource,
    kOleObjectDescriptor,
    kOleMetafilePict,
    kOleBitmap,
    kOleLinkSource,
    kOleLinkSourceDescriptor,
    // Offered by the clipboard object only, so that programs that take
    // neither a METAFILEPICT nor a device bitmap still get a picture.
    kOleEnhMetafile,
    kOleDib,
    kOleFormatCount,
};

// The drag and server objects offer the first five entries.
const int kOleServerFormats = kOleLinkSource;

extern FORMATETC OleFormatTable[kOleFormatCount];
// Fills the table from the registered formats.
void InitOleFormatTable();

// Which entry a request names, or -1; the request must ask for the content
// aspect and a medium the entry has.
int FindOleFormat(const FORMATETC* request, int entries);
// S_OK when one of the first `entries` (without the link formats unless
// `links`) answers the request, else S_FALSE.
HRESULT QueryOleFormat(const FORMATETC* request, int entries, bool links);
// The formats offered, as an enumerator.
HRESULT EnumOleFormats(int entries, bool links, IEnumFORMATETC** out);

// An OBJECTDESCRIPTOR block: the drawing class, the user type name and the
// source of copy (none: the user type name again).
HGLOBAL MakeObjectDescriptor(DWORD status, const wchar_t* source);
// The stream that holds the native block in a container's storage, the
// user type written beside it, and the mode the stream is made in.
extern const wchar_t kContentsStream[];
extern const wchar_t kNativeUserType[];
const DWORD kContentsCreateMode = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;
// Marks a storage as the drawing class's, with the native format and its
// user type.
HRESULT WriteDrawingClassAndType(IStorage* storage);
// The drawing class and the no-link class of the registry.
extern const CLSID kDrawingClass;
extern const CLSID kDrawingNoLinkClass;
