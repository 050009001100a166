// The File popup's Close, Save and Save As read as returning to, updating and
// copying out of the container while the active document is embedded in one.
#pragma once
#include <windows.h>

// Replaces an item's text, keeping its greyed and checked state.
void SetMenuItemText(HMENU popup, int id, const char* text);
// The three texts for an embedded document (named after its container) or
// for a document of its own.
void InitFileTexts(HMENU popup, bool embedded, const char* containerName);
// The same for the active document window.
void InitFileTextsForActiveDocument(HMENU popup);
