// Moving a document's working store into and out of the clipboard scratch
// store: Copy and Cut copy the whole store over the scratch store, a drag
// keeps the scratch store's contents aside in a temporary file meanwhile.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// The data-transfer code above says whether our own data object holds the
// clipboard; the scratch store then still means something to Paste.
typedef int (*ClipboardOwnedHook)();
extern ClipboardOwnedHook ClipboardOwnedCall;

// The view's document state is written back and its working file copied over
// the scratch store's file, which is reopened. 1 without a scratch store. On
// failure the scratch store is made anew empty and the clipboard emptied, so
// that nothing names a store that is no longer there.
ErrorCode CopyDocumentToClipboardStore(HWND view);

// An empty `path` (MAX_PATH bytes) copies the scratch store out to a new
// temporary file and returns its name there; a given one copies that file
// back in and deletes it. 1 without a scratch store; 0 and nothing done
// while the clipboard holds nothing of ours.
ErrorCode CopyClipboardStoreFile(char* path);

// Whether the clipboard holds objects the scratch store keeps for Paste.
bool ClipboardHoldsOurObjects();
