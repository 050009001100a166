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
