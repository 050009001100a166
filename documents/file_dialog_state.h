// The state of the one running Open or Save dialog, shared with its hooks.
#pragma once
#include <windows.h>

#include "documents/file_dialog_filters.h"

struct FileDialogState {
    int showNew;
    int helpTopic;
    int chosenFilter;   // from 1; 99 after the New button
    int typeOffset;
    int explorer;       // the Explorer-style dialog runs
};
extern FileDialogState FileDlgState;
extern char FileDlgDefExt[kFileDlgDefExtSize];

const int kFileDlgNewChosen = 99;

UINT_PTR CALLBACK SEOpenHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
UINT_PTR CALLBACK FileDlgExplorerHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
// The file type changed: the default extension follows it, and so does the
// extension of a name in the name box. `index` is a filter position counted
// from 0 plus the type offset, or -1 for the old-style type box's selection.
void ApplyFileTypeExtension(HWND dialog, int index);
