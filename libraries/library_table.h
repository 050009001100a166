// The table of library windows: one row per possible window, each paired
// with the options' remembered entry of the same number.
#pragma once
#include <windows.h>

#include "objects/app_options.h"
#include "store/record_store.h"

struct LibraryHeader;
struct LibraryViewBlock;

const int kLibraryRowCount = kLibraryWindowCount;
const int kNoLibraryRow = -1;

struct LibraryWindowSlot {
    HWND window;
    int store;
    RecordHandle headerHandle;
    LibraryHeader* header;
    RecordHandle viewHandle;
    LibraryViewBlock* view;
    int windowWidth;
    int windowHeight;
    int buttonCount;
    int columns;
    int rows;
    int needsCompaction;
    int readOnly;
    int buttonSize;
    HPALETTE palette;
    HGLOBAL buttonsDib;
    int docked;
};

extern LibraryWindowSlot LibraryWindows[kLibraryRowCount];
// The symbol chosen as the placing tool, and its row; -1 when none.
extern int SelectedLibraryItem;
extern int SelectedLibraryRow;

// Every row without a window and without a library.
void ClearLibraryRows();
void ResetLibraryRow(int row);
bool IsValidLibraryRow(int row);
// The options' entry of the row.
SavedLibraryWindow* LibraryEntry(int row);
// The entry's folder and file name joined; false when it has no file name.
bool LibraryEntryPath(int row, char* path, int size);
// Folder and file name of a path into the row's entry.
void SetLibraryEntryPath(int row, const char* path);
// The file name up to its first '.'.
void LibraryTitleOf(const char* fileName, char* title, int size);

int FindFirstLibraryWindow();
// A row without a window, preferring one that remembers no library; -1.
int FindFreeLibraryRow();
bool AnyLibraryMarkedOpen();
// The first row whose entry names path (no regard to case); with openOnly
// only rows with a window and an open library. -1 when none.
int FindLibraryEntry(const char* path, bool openOnly);
// True when an earlier row shows the same library floating; the row's entry
// then forgets the library.
bool IsDuplicateLibraryEntry(int row);
// Same folder and file name, no regard to case.
bool SameLibraryEntry(const SavedLibraryWindow& a, const SavedLibraryWindow& b);
