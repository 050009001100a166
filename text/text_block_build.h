// Building a TextBlock from an editor's live text, whole or its selection.
#pragma once
#include <windows.h>

#include "text/ten_state.h"
#include "objects/text_block.h"

// A new block (the caller frees it) of the whole text (flag 0x400) or of the
// selection; none when it would pass 32767 bytes or memory runs out. The
// editor's paragraph table is compacted first.
HGLOBAL BuildTextBlock(TenState* state, uint32_t flags);
// Drops the paragraph records no format names and renumbers the formats'
// paragraph indexes. `paragraphBlock` is the locked i32 count and records.
void CompactParagraphTable(void* paragraphBlock, TextFormat* formats, int formatCount);
// The width of the widest unbreakable word, each piece measured with its
// format's font and character spacing; 0 for a text without words.
int MeasureWidestWord(HDC dc, const TextFormat* formats, const void* paragraphBlock, int formatCount,
                      const char* text, int textLength);
