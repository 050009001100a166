// Where a line may cut a word of double-byte text: between two characters
// of which at least one is double-byte, never inside one.
#pragma once

using LeadBytePredicate = bool (*)(unsigned char);

// The system code page's lead bytes.
bool IsSystemLeadByte(unsigned char byte);
// True when the byte at `position` begins a double-byte character: it is a
// lead byte preceded by an even number of lead bytes.
bool BeginsDoubleByteChar(const char* text, int position, LeadBytePredicate isLead);
// The cut at or before `fit` (a position inside the word that starts at
// `wordStart`) that lies at the start of a double-byte character or right
// after one; -1 when there is none or it would fall at the word's start or
// right after a soft hyphen, tab, CR or space (the whole word then moves).
int FindDbcsWordCut(const char* text, int wordStart, int fit, LeadBytePredicate isLead);
