// String-table and printer-profile string helpers.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// A string buffer of the string table: 260 characters and the terminating zero.
const int kStringBufferSize = 261;

ErrorCode LoadStr(int id, char* buffer);
// For texts whose absence only leaves a blank (captions, labels, list
// entries): a missing string is an empty buffer, nothing to report.
void LoadStrOrBlank(int id, char* buffer);
ErrorCode SplitDeviceString(char* text, char** driver, char** device, char** port);
LONG GetTextExtentPacked(HDC dc, const char* text, int count);
