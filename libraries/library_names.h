// Symbol names and keywords: the name record of a symbol and the keyword
// search over a library file.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

const int kSymbolTextSize = 262;  // 261 characters and the terminator

// The whole text of record (202,id), at most 261 characters and never past
// the record's end; empty when the record is missing.
ErrorCode ReadSymbolText(int store, short id, char* text, int size);
// The name alone: the text up to its first ';'.
void CutSymbolName(char* text);
// True when the keyword's first occurrence in the lower-case text starts the
// text or follows a blank, a comma or a semicolon.
bool TextMatchesKeyword(const char* lowerText, const char* keyword);
// True when a name-and-keywords text of the library file matches one of the
// lower-case keywords; false also when the file does not open.
bool LibraryMatchesKeywords(const char* path, const char* const* keywords, int keywordCount);
