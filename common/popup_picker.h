// The popup picker (class SEPOPUP): a dialog control that looks like a button
// showing the current choice, a colour swatch or a bitmap, and drops an
// owner-drawn menu of choices below itself. The parent learns the choice as
// WM_COMMAND with wParam the control id and lParam the chosen index.
#pragma once
#include <windows.h>

// Window words, each pointer-sized.
enum PopupPickerWord : int {
    kPopupValues = 0,     // LONG table, one value per menu item
    kPopupCurrent = 1,    // shown while the index is below 0
    kPopupMenu = 2,       // the popup menu of choices, owner-drawn
    kPopupIndex = 3,      // below 0 the current value, 48 and up "Transparent"
    kPopupPalette = 4,    // palette selected while swatches are drawn, or none
    kPopupPictures = 5,   // nonzero: the values are menu bitmap numbers
    kPopupWordCount = 6,
};
const int kPopupWindowBytes = kPopupWordCount * static_cast<int>(sizeof(LONG_PTR));
// Indexes from this one show the "Transparent" swatch.
const int kPopupTransparentIndex = 48;
// Menus longer than the options' 48 colours hold fill colours.
const int kPopupPenColourItems = 48;

extern const char kPopupClassName[];

// 0 when the class cannot be registered.
ATOM RegisterPopupClass(HINSTANCE instance);
void SetPopupData(HWND dialog, int controlId, LONG current, const LONG* values, HPALETTE palette, HMENU menu,
                  int index, BOOL pictures);
LRESULT CALLBACK PopupHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PaintPopupButton(HWND window, HDC dc);
// The menu item chosen: index = id - the first item's id, reported when 0..99.
void SelectPopupIndex(HWND window, UINT commandId);
void DropPopupMenu(HWND window, int x, int y);
// The SwatchValue the picker shows in colour mode.
LONG PopupShownValue(HWND window);
