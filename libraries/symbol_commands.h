// The library window's symbol commands: Add New Vexlet, Edit Vexlet and
// Remove Vexlet.
#pragma once
#include <windows.h>

// fromDrop 0: the symbol comes from the clipboard; 1: from objects dropped
// from a drawing view. Errors are reported here.
void AddVexletToLibrary(HWND window, int fromDrop);
void EditVexlet(HWND window);
void RemoveVexlet(HWND window);
