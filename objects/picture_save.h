// Storing a picture as the data records of an object.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// Copies `bytes` bytes of the picture block (at most its size) and the colour
// list (0..256 colours) into chunk records of `group` (112 DIB, 113 metafile,
// 201 library symbol) of at most 60,000 data bytes each, and gives the first
// id and the number of records; both are given even after an error, when the
// chunks written so far stay. The block stays the caller's.
ErrorCode SavePicture(int store, int group, HGLOBAL picture, DWORD bytes, const RECT* bounds, int* firstId,
                      int* count, int colorCount, const COLORREF* colors, int scanFlags);
