// What a library window tells the tool tips about its symbol buttons: an
// item is the button's index in the window.
#include "libraries/library_windows.h"

#include "common/tool_tips.h"
#include "libraries/browser_tool_tips.h"
#include "libraries/library_thumbnail.h"
#include "libraries/library_names.h"
#include "libraries/library_window.h"

namespace {

bool ValidItem(int row, int item)
{
    return IsValidLibraryRow(row) && RowHeader(row) && item >= 0 && item < LibraryWindows[row].buttonCount;
}

bool SymbolName(HWND window, int item, char* text, int size)
{
    if (IsBrowserPreview(window))
        return ThumbnailCellName(item, text, size);
    const int row = GetLibraryRow(window);
    if (!ValidItem(row, item) || LibraryWindows[row].store < 0)
        return false;
    if (ReadSymbolText(LibraryWindows[row].store, RowHeader(row)->items[item].symbolId, text, size) != kErrNone)
        return false;
    CutSymbolName(text);
    return text[0] != '\0';
}

bool SymbolButtonRect(HWND window, int item, RECT* rect)
{
    if (IsBrowserPreview(window))
        return ThumbnailCellRect(item, rect);
    const int row = GetLibraryRow(window);
    return ValidItem(row, item) && GetLibraryButtonRect(row, rect, item) == 0;
}

int SymbolButtonAt(HWND window, POINT client)
{
    if (IsBrowserPreview(window))
        return HitTestThumbnailCell(client.x, client.y);
    return LibraryButtonIndexAt(GetLibraryRow(window), client);
}

// The browser's preview has tips while the browser, not the main window, is
// active, as the library windows do.
bool TipHost(HWND window)
{
    return IsLibraryWindow(window) || IsBrowserPreview(window);
}

} // namespace

int LibraryButtonIndexAt(int row, POINT client)
{
    for (int item = 0; ValidItem(row, item); ++item) {
        RECT cell;
        if (GetLibraryButtonRect(row, &cell, item) == 0 && PtInRect(&cell, client))
            return item;
    }
    return -1;
}

void ConnectLibraryToolTips()
{
    ToolTipItems = {TipHost, SymbolName, SymbolButtonRect, SymbolButtonAt};
}
