// Shared helpers of object text: the object whose text stands for another,
// anchor codes of guests, the text effect from the drawing's style, and
// clearing cached font handles of a stored block.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"
#include "objects/text_block.h"

// Text-holder flags whose text lives in an attached guest.
const uint32_t kGuestTextFlags = 0x2c;
const uint32_t kCaptionBelow = 0x04;
const uint32_t kTextAbove = 0x08;
const uint32_t kTextAlongLine = 0x20;
const uint32_t kGuestStaysHorizontal = 0x80;
const uint32_t kOptionOwnText = 0x80;
const uint32_t kOptionFollowsHostFlag = 0x20;

// The object whose text stands for the object at `index`, or -1 (the stale
// guest reference is then cleared).
int FindTextHolder(void* objectTable, int index);
void AnchorCode(int horizontal, int vertical, int* code, int* boxPoint);
TextEffect ObjectTextEffect(const DrawingRecord* drawing, const DrawingObject* object);
void ClearTextBlockFonts(void* block, SIZE_T size);
// Locks the drawing record and the object table of a view record.
DrawingRecord* LockViewDrawing(void* viewRecord, HGLOBAL* handle);
