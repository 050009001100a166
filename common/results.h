// Turning handles and file results into codes, the program's message boxes and
// its cursors.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

extern HCURSOR AppCursors[18];
extern int CurrentCursorIndex;
extern int SuppressWarnings;

ErrorCode CheckAlloc(const void* handle);
ErrorCode CheckFileResult(long result);
int IsNotPositive(long value);

int AppMessageBox(int stringId, UINT style);
void WarnById(int stringId);
void WarnWithText(int stringId, const char* text);
int SetAppCursor(int index);
void PrepareCommand();
