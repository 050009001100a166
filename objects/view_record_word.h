// The drawing view's window words: its ViewSettings and its ViewRecord handles.
#pragma once
#include <windows.h>

// Byte offsets of the two pointer-sized window words.
const int kViewSettingsWord = 0;
const int kViewRecordWord = sizeof(LONG_PTR);
const int kViewWindowBytes = 2 * sizeof(LONG_PTR);

// The view record's handle, none when the window has none.
HGLOBAL GetViewRecordHandle(HWND view);
void SetViewRecordHandle(HWND view, HGLOBAL viewRecord);
