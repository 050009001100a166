// Program-wide globals of the frame: the instance, the main windows and what
// start-up makes for the whole run.
#pragma once
#include <windows.h>

extern HINSTANCE AppInstance;
extern HWND MainWindow;
extern HWND MdiClientWindow;
extern int WindowsMajorVersion;

// Set when OLE started the program (the switch Embedding).
extern int StartedForEmbedding;
// The accelerator table MDMenu, used with the main window by the message loop.
extern HACCEL AppAccelerators;
// The ten popups of the menu bar by position (File .. Help).
extern HMENU MainMenuPopups[10];
// WIN.INI [Mail] MAPI: 0 hides File > Send.
extern int MapiEnabled;
extern int ScrollBarWidth;
extern int ScrollBarHeight;
// The F1 message-filter hook installed for the whole run.
extern HHOOK MenuHelpHook;
// The tool palette across the top of the main window and its height.
extern HWND PaletteWindow;
extern int PaletteWindowHeight;
// The drawing views' right-button menu (resource RIGHTMENU); none when it
// did not load.
extern HMENU RightMenu;
