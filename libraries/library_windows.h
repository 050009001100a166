// Layer 9, libraries/: symbol libraries and templates; uses view/ and below.

// The library windows as the frame reaches them: the window class, the table
// of open library windows and the library files.
#pragma once
#include <windows.h>

// The number of open library windows.
extern int LibraryWindowCount;

// 0 when the class VXLIBCLASS cannot be registered.
ATOM RegisterLibraryClass(HINSTANCE instance);
// 0 when the class EVXWINDOWCLASS cannot be registered.
ATOM RegisterVexletPreviewClass(HINSTANCE instance);
// Nonzero when the file's content is a symbol library.
BOOL IsLibraryFile(const char* path);
// show 1 shows the window; row -1 with no path runs the open dialog.
int OpenLibraries(int show, int row, const char* path, HWND dockInto);
int CreateNewLibrary();
// The library window under the last right-click, else the topmost floating one.
HWND GetActiveLibraryWindow();
// Destroys every library window (the main window's close).
void DestroyLibraryWindows();
