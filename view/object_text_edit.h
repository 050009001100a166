// Editing an object's text in place: opening the editor over an object or
// an empty spot, and ending it into the object's stored text.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// index -1: a new text at (x, y) in drawing units. quiet 1 keeps the undo
// step and the selection and leaves the editor hidden.
ErrorCode BeginObjectText(HWND view, void* viewRecord, int index, int x, int y, int quiet);
// select: 1 select the object afterwards, 0 clear the selection, -1 the
// caller takes no undo step. The caller destroys the editor afterwards.
ErrorCode EndObjectText(HWND view, void* viewRecord, int reserved, int select);
// Ends an editing whose text stays as it was.
void MarkObjectTextChanged(void* viewRecord, int select);
// The text tool on an empty spot: a new free text at (x, y).
ErrorCode BeginNewText(HWND view, int x, int y);
// One default text attribute of the view's drawing: 0 face slot, 1 size,
// 2 style bits, 3 colour, 4 set and 5 clear style bits.
void SetDefaultTextAttr(HWND view, int selector, int value);

// The placeholder a new caption holds until it is typed over.
const int kPlaceholderString = 514;
