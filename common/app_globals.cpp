#include "common/app_globals.h"

HINSTANCE AppInstance = nullptr;
HWND MainWindow = nullptr;
HWND MdiClientWindow = nullptr;
int WindowsMajorVersion = 4;
int StartedForEmbedding = 0;
HACCEL AppAccelerators = nullptr;
HMENU MainMenuPopups[10] = {};
int MapiEnabled = 0;
int ScrollBarWidth = 0;
int ScrollBarHeight = 0;
HHOOK MenuHelpHook = nullptr;
HWND PaletteWindow = nullptr;
int PaletteWindowHeight = 0;
HMENU RightMenu = nullptr;
