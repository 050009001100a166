// A drawing store of its own in a temporary file, for building a drawing
// that is then pasted elsewhere, so that the clipboard scratch store, which
// the user's Paste reads, is never touched.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

struct TemporaryStore {
    int store = -1;
    HFILE file = HFILE_ERROR;
    char path[MAX_PATH] = "";
};

// A new empty store with a document's groups; on failure nothing is left.
ErrorCode OpenTemporaryStore(TemporaryStore* temporary);
// Gives up the store without writing it and deletes its file.
void DiscardTemporaryStore(TemporaryStore* temporary);
