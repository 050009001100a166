// Tool tips: a small pale window with the name of the control or item the
// pointer has rested on for a second. One tip at a time, for one thread.
#pragma once
#include <windows.h>

// The tips' font, made by the frame; none: the stock ANSI_VAR_FONT.
extern HFONT ToolTipFont;

// What the library windows say about their symbol buttons; the libraries
// fill this at start-up. An item is a button's index in its window.
struct ToolTipItemCalls {
    bool (*isLibraryWindow)(HWND window);
    // The item's name; false when it has none.
    bool (*text)(HWND window, int item, char* text, int size);
    // The item's client rectangle; false when there is no such item.
    bool (*rect)(HWND window, int item, RECT* rect);
    // The item under a client point, -1 none.
    int (*itemAt)(HWND window, POINT client);
};
extern ToolTipItemCalls ToolTipItems;

// Pointer movement over `source` (item -1) or over an item of it.
void ShowToolTipFor(HWND source, int item);
// Takes the tip away and forgets a pending one: other input has come.
void HideToolTip();
// Host-side tracking, from the palette's and library windows' mouse handling.
void TrackPaletteToolTip(HWND palette);
void TrackLibraryToolTip(HWND window);
// The same for the thumbnail cells of the library browser's preview.
void TrackItemToolTip(HWND window);

// Where a tip of the given size goes for the pointer over a source window
// (both in screen coordinates) on a screen of the given size.
RECT PlaceToolTipRect(POINT cursor, SIZE tip, const RECT& source, SIZE screen);

// The tip window now shown, or none; for the frame's tests.
HWND CurrentToolTipWindow();
