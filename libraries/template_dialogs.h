// The template chooser ("Create a New Drawing") and the library browser
// ("Open a Vexlet Library"), which share one dialog procedure, and the
// keyword dialog the browser searches with.
#pragma once
#include <windows.h>

// Runs the chooser on `path` (kOptionsPathSize bytes: the template to
// preselect, and the choice on Create, empty for "Empty Drawing"); 1 for
// Create, 0 for Cancel.
int RunTemplateDlg(char* path);
// Runs the browser on `path` (the library to preselect, and the choice on
// Open, empty for "Create New Library"); 1 for Open, the Open dialog's result
// after Browse, 0 for Cancel or when the browser cannot be made.
int RunLibraryBrowseDlg(char* path);
// The keyword dialog over `owner`; 1 for OK (the options' keyword text
// taken), 0 for Cancel.
int RunKeywordDlg(HWND owner);

INT_PTR CALLBACK TemplateDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK KeyWordDlgHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// 1 while the browser runs, 0 for the chooser.
extern int BrowserLibraryMode;
// The packed DIB the preview shows, none for "No Preview Available".
extern HGLOBAL BrowserPreview;

// The preview's painter: the picture fitted, never enlarged, in an etched
// frame, or "No Preview Available".
int DrawTemplateSample(HDC dc, RECT* rect);
// The preview's pointer movement in the browser: the symbol name of the cell
// under the pointer as a tool tip.
void BrowserToolTipProc(HWND window);
// The preview picture of a template file: its stored preview, or the one an
// earlier-format file keeps; none when it has none.
HGLOBAL LoadTemplatePreview(const char* path);
// The Open dialog for a library file, owned by `owner`; the chosen filter
// position (from 1) with the file in `path`, 0 when cancelled.
int BrowseForLibraryFile(HWND owner, char* path);
