// Finding a stand-in for a face that neither the font list nor the system has.
#pragma once
#include <windows.h>

// Rewrites well-known faces of other systems in `faceName` (LF_FACESIZE
// characters) to their usual replacement and returns the font-list index of
// the best match: the face itself, an entry of the wanted character set and
// family, "Arial", or the list's default.
int SubstituteFontFace(HGLOBAL* fontList, char* faceName);
