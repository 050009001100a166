// Layer 10, frame/: program entry, main window, menus and dialogs; connects the rest.

// The program's start-up and shut-down: everything shared for the whole run.
#pragma once
#include <windows.h>

#include "common/error_codes.h"

// 0 on success; on failure string 0 has been shown and the code is returned.
ErrorCode InitApplication(HINSTANCE instance, int showCommand, const char* optionsFile);
ErrorCode InitMainWindow(HINSTANCE instance, int showCommand, const char* optionsFile);
// Frees only what start-up made; safe after a start-up that failed anywhere.
void ExitApplication();

// 0, or 10002 when a cursor is missing.
ErrorCode LoadAppCursors(HINSTANCE instance);
// The window classes in their order; 10001 an icon, 10002 a class.
ErrorCode RegisterWindowClasses(HINSTANCE instance);

// MainMenuPopups from the menu bar; without MAPI the File menu loses Send.
void TakeMenuPopups(HMENU bar);

// Completion marks that ExitApplication reads.
extern int RecordStoreTableMade;
extern int ObjectKindsInitialised;
extern HMODULE Ctl3dLibrary;
