// The library last attached to a document, for documents that name none.
#pragma once
#include <windows.h>

// A global atom of the library's path; 0 when none.
extern ATOM AttachedLibraryAtom;
