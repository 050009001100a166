// Program-wide globals of the frame: the instance and the main windows.
#pragma once
#include <windows.h>

extern HINSTANCE AppInstance;
extern HWND MainWindow;
extern HWND MdiClientWindow;
extern int WindowsMajorVersion;
