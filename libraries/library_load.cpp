#include "libraries/library_file.h"
#include "libraries/library_window.h"

#include "common/app_globals.h"
#include "common/results.h"
#include "resources/resource_ids.h"

namespace {

const int kLeastButtonSize = kSmallButtons;

template <typename T>
T* LockPayload(RecordHandle handle)
{
    void* locked = handle ? GlobalLock(handle) : nullptr;
    return locked ? RecordPayload<T>(locked) : nullptr;
}

void UnlockHeader(LibraryWindowSlot& slot)
{
    if (slot.header)
        GlobalUnlock(slot.headerHandle);
    slot.header = nullptr;
    slot.headerHandle = nullptr;
}

void UnlockView(LibraryWindowSlot& slot)
{
    if (slot.view) {
        DiscardError(SetRecordDirty(slot.viewHandle), "the block is held while the library is open");
        GlobalUnlock(slot.viewHandle);
    }
    slot.view = nullptr;
    slot.viewHandle = nullptr;
}

// A failure after the row took the new store: nothing of it may stay, or a
// later close would reach whatever store reuses the slot.
ErrorCode DropNewLibrary(int row, ErrorCode code)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    UnlockView(slot);
    UnlockHeader(slot);
    if (slot.store >= 0)
        DiscardError(CloseOrAbandonStore(slot.store), "the load failed already; its code is reported");
    slot.store = -1;
    slot.buttonCount = 0;
    slot.readOnly = 0;
    return code;
}

SIZE LayoutSizeFor(int row, bool namesMode)
{
    const LibraryWindowSlot& slot = LibraryWindows[row];
    const LibraryViewBlock* view = slot.view;
    if (view->columns && view->rows) {
        const int cellWidth = namesMode ? NameCellWidth : slot.buttonSize;
        const int cellHeight = namesMode ? NameCellHeight : slot.buttonSize;
        return SIZE{view->columns * cellWidth, view->rows * cellHeight};
    }
    RECT client = {0, 0, 0, 0};
    GetClientRect(slot.window, &client);
    return SIZE{client.right, client.bottom};
}

void ShowInWindow(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    const bool namesMode = LibraryNamesMode(row);
    SetLibraryButtonCount(row, slot.header->symbolCount);
    if (SelectedLibraryRow == row)
        SelectedLibraryItem = -1;
    if (slot.header->symbolCount > 0)
        MarkLibraryItem(row, slot.header->items[0].symbolId);
    const SIZE size = LayoutSizeFor(row, namesMode);
    if (slot.view->paletteCount == 0) {
        CollectLibraryColors(row);
        DiscardError(FlushStore(slot.store, FALSE), "the colours are collected again next time");
    } else {
        BuildLibraryPalette(row);
    }
    LayoutLibraryWindow(row, size.cx, size.cy, namesMode, true);
}

} // namespace

ErrorCode LoadLibraryIntoRow(int row, const char* path)
{
    if (!IsValidLibraryRow(row))
        return kErrNotDone;
    OpenedLibrary opened;
    ErrorCode code = OpenLibraryStore(path, &opened);
    if (code)
        return code;
    ReleaseRowLibrary(row);
    LibraryWindowSlot& slot = LibraryWindows[row];
    slot.store = opened.store;
    slot.readOnly = opened.readOnly;
    slot.headerHandle = opened.header;
    slot.header = LockPayload<LibraryHeader>(opened.header);
    if (!slot.header)
        return DropNewLibrary(row, kErrNoMemory);
    RecordHandle view = nullptr;
    code = PrepareLibraryView(opened, &view);
    if (code)
        return DropNewLibrary(row, code);
    slot.viewHandle = view;
    slot.view = LockPayload<LibraryViewBlock>(view);
    if (!slot.view)
        return DropNewLibrary(row, kErrNoMemory);
    slot.buttonSize = slot.view->buttonSize < kLeastButtonSize ? kLeastButtonSize : slot.view->buttonSize;
    if (slot.window)
        ShowInWindow(row);
    return kErrNone;
}

void ReleaseRowLibrary(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    slot.buttonCount = 0;
    UnlockHeader(slot);
    if (slot.store >= 0)
        SaveLibraryWindowState(row);
    UnlockView(slot);
    if (slot.store >= 0) {
        if (slot.needsCompaction)
            CompactLibraryStore(row);
        DiscardError(CloseOrAbandonStore(slot.store), "changes that cannot be written are rolled back whole when the library is next opened");
    }
    slot.store = -1;
}

void SaveLibraryWindowState(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    SavedLibraryWindow* entry = LibraryEntry(row);
    // A docked bar's size and place say nothing about the floating window.
    if (!entry || slot.docked)
        return;
    entry->width = slot.windowWidth;
    entry->height = slot.windowHeight;
    if (slot.window) {
        RECT rect;
        GetWindowRect(slot.window, &rect);
        POINT corner = {rect.left, rect.top};
        if (MainWindow)
            ScreenToClient(MainWindow, &corner);
        entry->x = corner.x;
        entry->y = corner.y;
        entry->minimized = IsIconic(slot.window) ? 1 : 0;
    }
    if (slot.view) {
        slot.view->columns = static_cast<int16_t>(slot.columns);
        slot.view->rows = static_cast<int16_t>(slot.rows);
        DiscardError(SetRecordDirty(slot.viewHandle), "the block is held while the library is open");
    }
}

void CompactLibraryStore(int row)
{
    LibraryWindowSlot& slot = LibraryWindows[row];
    if (CompactStore(slot.store) == kStoreErrCompaction)
        WarnById(IDS_LIBRARY_CLOSE_FAILED);
    slot.needsCompaction = 0;
}
