#include "libraries/browser_tool_tips.h"

#include "libraries/library_thumbnail.h"
#include "libraries/template_dialogs.h"
#include "resources/dialog_ids.h"

namespace {

// The cell of the open browser's table, copied out; false when there is none.
bool CellOf(int item, ThumbnailCell* cell)
{
    const auto* table = ThumbnailCells ? static_cast<const ThumbnailCellTable*>(GlobalLock(ThumbnailCells)) : nullptr;
    if (!table)
        return false;
    const bool valid = item >= 0 && item < table->count && item < kMaxLibrarySymbols;
    if (valid)
        *cell = table->cells[item];
    GlobalUnlock(ThumbnailCells);
    return valid;
}

} // namespace

bool IsBrowserPreview(HWND window)
{
    return BrowserLibraryMode && ThumbnailCells && window && GetDlgCtrlID(window) == IDC_BROWSE_PREVIEW;
}

bool ThumbnailCellName(int item, char* text, int size)
{
    ThumbnailCell cell = {};
    if (!CellOf(item, &cell) || !cell.atom)
        return false;
    return GlobalGetAtomNameA(static_cast<ATOM>(cell.atom), text, size) > 0;
}

bool ThumbnailCellRect(int item, RECT* rect)
{
    ThumbnailCell cell = {};
    if (!CellOf(item, &cell))
        return false;
    *rect = cell.rect;
    return true;
}
