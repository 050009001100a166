// The font of a document's font slot at a size and style.
#pragma once
#include <windows.h>

// Style bits of the font requests: 1 bold, 2 italic.
enum DocumentFontStyle : int {
    kFontBold = 1,
    kFontItalic = 2,
};

// The LOGFONT of a slot (a font-list index when there is no table) at
// `size` points on a device of `resolution` units per inch; false when the
// slot names no entry.
bool BuildDocumentLogFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits, int escapement,
                          int width, int resolution, LOGFONTA* logFont);
// A new font the caller deletes, or none.
HFONT CreateDocumentFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits, int escapement,
                         int width, int resolution);
// As CreateDocumentFont, for text drawn at an escapement: a raster face
// cannot turn (GDI would draw it level, its characters piled on each
// other), so such a face is replaced by "Arial" at the same size and style.
// `dc` is any device context the font can be tried in.
HFONT CreateTurnedDocumentFont(HDC dc, HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits,
                               int escapement, int width, int resolution);
// True when the font's glyphs can be drawn at an escapement.
bool FontCanTurn(HDC dc, HFONT font);
// A font owned by the cache, or none.
HFONT GetCachedDocumentFont(HGLOBAL fontList, HGLOBAL fontTable, int slot, int size, int styleBits, int width,
                            int escapement, int resolution);
