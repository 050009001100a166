// The character spacing of a format's paragraph on a measuring or drawing DC.
#pragma once
#include <windows.h>

#include "objects/text_block.h"

// Sets the DC's character extra to the format's average width times its
// paragraph's spacing percent / 100 (0 unless both are positive); returns
// what SetTextCharacterExtra returns.
int ApplyCharacterSpacing(HDC dc, const TextParagraph* paragraphs, int paragraphCount, const TextFormat* format);
