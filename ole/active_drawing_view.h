// The drawing view of the active document window, for the picture commands.
#pragma once
#include <windows.h>

// None when there is no active document or its view shows no drawing.
HWND ActiveDrawingView();
