// The screen point of the last right-button menu; x is -1 when there is none
// (a mouse move over a view or a library window clears it).
#pragma once
#include <windows.h>

extern POINT RightClickPoint;
