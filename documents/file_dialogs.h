// The Open and Save dialogs with the program's filters and hooks.
#pragma once
#include <windows.h>

// The chosen filter position (from 1), 99 for the New button, 0 when cancelled.
// file holds 261 characters; folder may be null.
int RunOpenFileDlg(HWND owner, int templateId, char* file, int filterId, int titleId, BOOL showNew,
                   int helpTopic, int initialFilter, int typeOffset, char* folder);
// The chosen filter position (from 1), 0 when cancelled.
int RunSaveFileDlg(HWND owner, int templateId, char* path, int filterId, int titleId, int helpTopic,
                   int initialFilter, int typeOffset, char* folder);
