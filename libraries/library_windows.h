// Layer 9, libraries/: symbol libraries and templates; uses view/ and below.

// The library windows as the frame reaches them: the window class, the table
// of open library windows and the library files.
#pragma once
#include <windows.h>

#include "libraries/library_file.h"
#include "libraries/library_menu.h"

// The library window whose context menu was opened last.
extern HWND RightClickLibraryWindow;

// 0 when the class VXLIBCLASS cannot be registered; the table is cleared.
ATOM RegisterLibraryClass(HINSTANCE instance);
// 0 when the class EVXWINDOWCLASS cannot be registered.
ATOM RegisterVexletPreviewClass(HINSTANCE instance);
// With parentWindow: the library named by that document, docked into it.
// interactive 0: reopens the libraries remembered as open. interactive 1:
// row -1 opens path (or asks for a library) in a new window; a row opens its
// remembered library or brings its window up. 1 when no window was made.
int OpenLibraries(int interactive, int row, const char* path, HWND parentWindow);
// Asks for a new file, writes an empty library there and shows it.
int CreateNewLibrary();
// The library window under the last right-click, else the topmost floating one.
HWND GetActiveLibraryWindow();
// Destroys every library window (the main window's close).
void DestroyLibraryWindows();
// A document window was made: reopens the remembered libraries when none is
// open and docks the library the document names.
void OpenLibrariesForDocument(HWND document);
// Lets the tool tips name the symbol buttons of the library windows.
void ConnectLibraryToolTips();
// Rebuilds the list of libraries at the end of the Libraries menu.
void PrepareLibrariesMenu(HMENU menu);
// The library symbol chosen as the placing tool of the drawing views: its
// preferred size (false when none), its placing into a rectangle of a view's
// drawing, and giving up the choice.
bool PlacingSymbolSize(SIZE* size);
ErrorCode DropVexletOnDrawing(HWND view, const RECT* rect);
void DeselectPlacingSymbol();
