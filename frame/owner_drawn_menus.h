// WM_MEASUREITEM and WM_DRAWITEM of the main window's owner-drawn menu items.
#pragma once
#include <windows.h>

void MeasureMenuItem(MEASUREITEMSTRUCT* item);
void DrawMenuItem(const DRAWITEMSTRUCT* item);
