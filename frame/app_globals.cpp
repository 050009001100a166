#include "frame/app_globals.h"

HINSTANCE AppInstance = nullptr;
HWND MainWindow = nullptr;
HWND MdiClientWindow = nullptr;
int WindowsMajorVersion = 4;
