// The popup picker's window class (SEPOPUP).
#pragma once
#include <windows.h>

// 0 when the class cannot be registered.
ATOM RegisterPopupClass(HINSTANCE instance);
