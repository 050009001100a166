// The character grid of the Insert Symbol dialog: the characters of a string
// in one of the symbol fonts, 28 to a row, one of them selected.
#pragma once
#include <windows.h>

// Window words of the grid, filled by its dialog.
enum CharacterGridWord : int {
    kGridFontIndex = 0,     // entry of the symbol-font list
    kGridAtom = 4,          // global atom whose name is the characters shown
    kGridCellHeight = 8,
    kGridCellWidth = 12,
    kGridSelected = 16,
};
const int kGridWindowBytes = 20;
const int kGridColumns = 28;
// The grid's notification of a double-click, as WM_COMMAND's high word.
const int kGridDoubleClicked = 5;

LRESULT CALLBACK CharArrayHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The selected character, widened from a signed byte; 0 past the string.
int GetCharArraySelection(HWND window);
void GetCharCellRect(int index, int cellWidth, int cellHeight, RECT* rect);
// The cell under a client point, -1 for none.
int CharCellFromPoint(HWND window, int x, int y);
void SelectCharArrayCell(HWND window, LPARAM point);
void PaintCharArray(HWND window, HDC dc, const RECT* paint);
