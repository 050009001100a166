// Inside the library folder: the library windows, their layout and painting,
// the loading of a library into a row and the docking move.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "libraries/library_records.h"
#include "libraries/library_table.h"

extern const char kLibraryClassName[];
const int kLibraryCreateNoRow = -1;
const int kSmallButtons = 30;
const int kMediumButtons = 50;
const int kLargeButtons = 70;
const int kDockedBarHeight = 30;
// A floating library window: an overlapped tool window owned by the main window.
const DWORD kFloatingLibraryStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

// The cell of a name in names mode, shared by every library window.
extern int NameCellWidth;
extern int NameCellHeight;
// Set while a layout resizes a window, whose WM_SIZE then does nothing.
extern int LibraryLayoutActive;

LRESULT CALLBACK VXLibHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int GetLibraryRow(HWND window);
void SetLibraryRow(HWND window, int row);
bool IsLibraryWindow(HWND window);
bool LibraryNamesMode(int row);
void SetLibraryButtonCount(int row, int count);
// The item index of symbol id in the row's header; -1 when none.
int FindLibraryItem(int row, int id);
// 1 when index has no button, else 0 and the button's client rectangle.
int GetLibraryButtonRect(int row, RECT* rect, int index);
// The index of the button under a client point; -1 when it misses them all.
int LibraryButtonIndexAt(int row, POINT client);
// Fits the window around its buttons and repaints them into the cached
// picture; force repaints even when the picture keeps its size.
void LayoutLibraryWindow(int row, int clientWidth, int clientHeight, bool namesMode, bool force);
void PaintLibraryWindow(HWND window, int row);
// Plays a symbol's picture bits (taken over and freed) into `target`.
void PlaySymbolPicture(HDC dc, const RECT& target, HGLOBAL block, const RECT& bounds);
void MeasureNameCell(HWND window);
void RefreshLibraryWindow(int row);
void SetLibraryViewMode(HWND window, int buttonSize, bool namesMode);
// Makes symbol id the chosen one and draws its button pressed.
void MarkLibraryItem(int row, int id);
// The user's choice of symbol id as the placing tool of the drawing views;
// a negative row or id gives up the choice.
void SelectLibraryItem(int row, int id);

void DrawLibraryButtonState(int row, int id, bool pressed);

// A symbol button held down with the mouse captured: the press (the symbol
// id, -1 off the buttons), the moves, the release that chooses the symbol.
bool LibraryButtonHeld();
int PressLibraryButton(HWND window, POINT point);
void TrackPressedLibraryButton(HWND window, POINT point);
void ReleaseLibraryButton(HWND window);
// A held button dragged into the active drawing view: the symbol is chosen
// and follows the pointer there until the view places it.
void DragVexletToView(HWND window, int id);

// Loads the file into the row: 0, 1 not a library, -1 a later version or a
// store code. On failure the row holds no library at all.
ErrorCode LoadLibraryIntoRow(int row, const char* path);
// Closes the row's library, keeping its window.
void ReleaseRowLibrary(int row);
void SaveLibraryWindowState(int row);
void CompactLibraryStore(int row);
int CreateLibraryWindow(int row, bool interactive, bool isNew, const char* path);
int ChooseLibraryForRow(int row, char* path, bool skipBrowser, bool checkOpen);
// 0 when made, 1 when cancelled, else the error (after its message).
ErrorCode CreateLibraryFile(int row, char* pathOut);
int CreateAttachedLibraryWindow(int row, HWND parentWindow, const char* path);
void RealizeAllDocumentPalettes();
void CollectLibraryColors(int row);
void BuildLibraryPalette(int row);

// The move loop of a library window: a floating window moves or docks, a
// docked bar moves to another document or floats again.
bool LibraryMoving();
void BeginLibraryMove(HWND window, POINT screenPress);
void TrackLibraryWindowMove(HWND window);
void EndLibraryWindowMove(HWND window);
void DetachLibraryToolbar(HWND window);
void AttachLibraryToDocument(HWND document, int row);
RECT GetFloatingRectAtPoint(int row, int x, int y);
// Gives the keyboard back to the active document's view or text editor.
void ReturnFocusToDocument(HWND window);

// The locked header and view of a row; null when the row has none.
inline LibraryHeader* RowHeader(int row)
{
    return IsValidLibraryRow(row) ? LibraryWindows[row].header : nullptr;
}
inline LibraryViewBlock* RowView(int row)
{
    return IsValidLibraryRow(row) ? LibraryWindows[row].view : nullptr;
}
