// The document colour list, record (100,106) of a working store: the colours
// a drawing uses, kept so that a 256-colour display can show them truly.
//   0  record header (16 bytes)
//   16 i32 colour count, 0..256
//   20 256 x u32 COLORREF; entries past the count are not used
#pragma once
#include <windows.h>

#include "common/error_codes.h"

const short kDocumentColorListId = 106;
const DWORD kDocumentColorListBytes = 1044;
const int kColorListCount = 16;
const int kColorListColors = 20;
const int kMaxDocumentColors = 256;

// 1 when the value equals one of the first n entries (as 32-bit numbers).
int ColorInList(COLORREF value, const COLORREF* list, int n);

// With first object 0 the list is rebuilt from the drawing's style colours,
// every object's line and fill colour and the colours of its text; with a
// later index only the objects from there on are added. Nothing happens when
// the list cannot be read. `viewRecord` is the locked view record.
void CollectDocumentColors(void* viewRecord, int firstObject);

// Adds colours (their low 24 bits) as an undoable change of the list.
ErrorCode AddDocumentColors(void* viewRecord, const COLORREF* colors, int n);

// The list's colours as stored, at most 256; a list whose count is out of
// range is read as far as it is sound.
ErrorCode ReadDocumentColors(int store, COLORREF* colors, int* count);
