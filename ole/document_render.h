// A document, or the clipboard scratch store, rendered for data transfer:
// the drawing stream in memory, a bitmap or a metafile picture.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

enum DocumentRenderKind : int {
    kRenderStream = 0,
    kRenderBitmap = 2,
    kRenderMetafilePict = 3,
};

// With a view, that document; without one (`view` none) the scratch store,
// read through a hidden view that is destroyed again on every path. The
// handle is the caller's. 1 when nothing could be made.
ErrorCode RenderDocumentData(HWND view, void* viewRecord, HANDLE* out, int kind);

// Reads the clipboard scratch store into a hidden drawing view of the main
// window's size, with its palette, and hands it to `work`; the view is
// destroyed again on every path. 1 without a scratch store, 10004 when the
// view cannot be made, else the first error.
typedef ErrorCode (*ScratchViewWork)(HWND hidden, void* viewRecord, void* context);
ErrorCode WithScratchStoreView(ScratchViewWork work, void* context);
// The font table may have grown while the scratch store was read; the
// stream writer reads it from its record, so it goes back there first.
ErrorCode StoreScratchFontTable(void* viewRecord);
