// A document's standing with the OLE server above the documents: 0 a plain
// document, 1 embedded in a container, 2 opened for a link; and telling its
// container that it changed. The server fills the hook table at start-up;
// until then the state rides on the view as a window property.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

struct OleDocumentHooks {
    int (*getState)(HWND view);
    void (*setState)(HWND view, int state);
    // An embedded document was saved: the container takes its data.
    ErrorCode (*updateContainer)(HWND view);
    // A document window is up, with its view and records.
    void (*documentCreated)(HWND document);
    // A document window now works on the file its record names.
    void (*documentNamed)(HWND document);
    // The document window is being destroyed.
    void (*documentDestroyed)(HWND document);
};

extern OleDocumentHooks OleDocumentCalls;

int GetOleObjectState(HWND view);
void SetOleObjectState(HWND view, int state);
ErrorCode UpdateEmbeddingContainer(HWND view);
