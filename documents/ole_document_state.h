// A document's standing with the OLE server: 0 a plain document, 1 embedded
// in a container, 2 opened for an embedding start; and telling its
// container that it changed.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

int GetOleObjectState(HWND view);
void SetOleObjectState(HWND view, int state);
ErrorCode UpdateEmbeddingContainer(HWND view);
