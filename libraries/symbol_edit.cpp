#include "libraries/symbol_commands.h"

#include "common/app_globals.h"
#include "common/results.h"
#include "libraries/library_window.h"
#include "libraries/symbol_editor.h"
#include "libraries/symbol_records.h"
#include "objects/picture_chunks.h"
#include "store/record_store.h"
#include "view/tool_palette.h"
#include "resources/resource_ids.h"

namespace {


// The row's item of the selected symbol, or -1 after the warning that says why not.
int SelectedItemOf(int row)
{
    if (LibraryWindows[row].readOnly) {
        WarnById(IDS_LIBRARY_READ_ONLY);
        return -1;
    }
    const int index = SelectedLibraryRow == row ? FindLibraryItem(row, SelectedLibraryItem) : -1;
    if (index < 0)
        WarnById(IDS_SELECT_VEXLET);
    return index;
}

bool HasObjects(int store, int id)
{
    RecordHandle record = nullptr;
    if (FindRecord(store, kLibraryObjectsGroup, static_cast<short>(id), &record) != kErrNone)
        return false;
    ReleaseRecord(record);
    return true;
}

ErrorCode EditItem(HWND window, int row, VexletRecord* item)
{
    const int store = LibraryWindows[row].store;
    HGLOBAL picture = nullptr;
    RECT bounds = {0, 0, 0, 0};
    int colorCount = 0;
    int kind = 0;
    DWORD bytes = 0;
    ErrorCode code = LoadPicture(store, kLibraryPictureGroup, item->symbolId, item->furtherChunks + 1, &picture,
                                 &bounds, &colorCount, nullptr, &kind, &bytes);
    if (code != kErrNone)
        return code;
    char name[kVexletNameBuffer] = "";
    ReadVexletName(store, item->symbolId, name, sizeof(name));
    VexletRecord edited = *item;
    const int ok = EditVexletProperties(window, picture, &edited, &bounds, kind, LibraryWindows[row].palette, name,
                                        HasObjects(store, item->symbolId) ? 1 : 0);
    GlobalFree(picture);
    if (!ok)
        return kErrNone;
    *item = edited;
    code = WriteChunkConnectPoints(store, kLibraryPictureGroup, item->symbolId, *item);
    if (code == kErrNone)
        code = SetRecordDirty(LibraryWindows[row].headerHandle);
    if (code == kErrNone)
        code = StoreVexletName(row, item->symbolId, name);
    if (code == kErrNone && LibraryNamesMode(row))
        RefreshLibraryWindow(row);
    if (code == kErrNone)
        code = FlushStore(store, FALSE);
    return code;
}

} // namespace

void EditVexlet(HWND window)
{
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || !RowHeader(row))
        return;
    const int index = SelectedItemOf(row);
    if (index < 0)
        return;
    if (EditItem(window, row, &RowHeader(row)->items[index]) != kErrNone)
        WarnById(IDS_DISK_OR_MEMORY);
}

void RemoveVexlet(HWND window)
{
    const int row = GetLibraryRow(window);
    if (!IsValidLibraryRow(row) || !RowHeader(row))
        return;
    const int index = SelectedItemOf(row);
    if (index < 0 || AppMessageBox(IDS_REMOVE_VEXLET, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    LibraryWindowSlot& slot = LibraryWindows[row];
    LibraryHeader* header = slot.header;
    ErrorCode code = DeleteSymbolRecords(slot.store, header->items[index].symbolId, header->items[index].furtherChunks);
    if (code == kErrNone) {
        for (int i = index; i + 1 < header->symbolCount; ++i)
            header->items[i] = header->items[i + 1];
        header->symbolCount--;
        slot.needsCompaction = 1;
        code = RefreshAfterSymbolChange(row);
    }
    if (code != kErrNone)
        WarnById(IDS_DISK_OR_MEMORY);
    SelectedLibraryItem = -1;
    SelectPaletteTool(kToolSelect);
    SelectedLibraryRow = -1;
}
