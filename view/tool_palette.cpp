#include "view/tool_palette.h"

HWND PaletteWindow = nullptr;
int PaletteWindowHeight = 0;
int CurrentPaletteTool = 108;
BOOL PaletteSticky = FALSE;

// Least version until the palette's buttons land: an empty dialog.
INT_PTR CALLBACK PaletteHandler(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void LayOutPalette(HWND palette)
{
    RECT client;
    if (palette && GetClientRect(palette, &client))
        PaletteWindowHeight = client.bottom;
}

int SelectPaletteTool(int id)
{
    CurrentPaletteTool = id;
    return id;
}

void SetPaletteSticky(BOOL on) { PaletteSticky = on; }
void ShowPaletteButtons(BOOL) {}
void EditPaletteTool() {}
