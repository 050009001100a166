// The list of libraries at the end of the main window's Libraries menu.
#pragma once
#include <windows.h>

// Items of the Libraries menu that are not part of the list.
const int kLibrariesMenuFixedItems = 12;

// Rebuilds the list: the open floating libraries checked, the other
// remembered ones unchecked, entry r with the id firstId + r + 1.
void BuildLibraryWindowsMenu(HMENU menu, int firstId);
// Whether entry r repeats a library that the list shows for another row.
bool IsLibraryMenuDuplicate(int row);
