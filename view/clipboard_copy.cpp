#include "view/clipboard_copy.h"

#include <initializer_list>

#include "common/app_globals.h"
#include "common/io_seam.h"
#include "documents/clipboard_exchange.h"
#include "documents/clipboard_store.h"
#include "documents/document_record.h"
#include "objects/document_undo.h"
#include "objects/drawing_records.h"
#include "objects/drawing_tables.h"
#include "objects/groups.h"
#include "objects/linked_objects.h"
#include "objects/object_delete.h"
#include "store/record_store.h"

ClipboardHooks ClipboardCalls = {};

namespace {

// The marker's contents mean nothing; its presence says the scratch store
// holds the copied objects.
const SIZE_T kMarkerBytes = 2;

bool DocumentHasFile(HWND view)
{
    HWND document = GetParent(view);
    HGLOBAL handle = document ? GetDocumentRecordHandle(document) : nullptr;
    const auto* record = handle ? static_cast<const DocumentRecord*>(GlobalLock(handle)) : nullptr;
    if (!record)
        return false;
    const bool hasFile = record->untitledNumber == 0;
    GlobalUnlock(handle);
    return hasFile;
}

void ClearSelectionMarks(DrawingRecord* drawing)
{
    LockedTable objects(drawing, kTableObjects);
    LockedTable groups(drawing, kTableGroups);
    for (int i = 0; i < objects.Count(); ++i) {
        DrawingObject* object = ObjectAt(objects.Get(), i);
        object->stateFlags &= ~(kStateSelected | kStateCollected);
        if (object->groupIndex >= 0 && groups.Get())
            object->groupIndex = FindGroupInTable(groups.Get(), object->groupKey, object->groupIndex, 0);
    }
    for (int row = 0; row < groups.Count(); ++row)
        GroupEntryAt(groups.Get(), row)->flags &= ~kGroupSelected;
    drawing->primarySelected = -1;
    drawing->selectedCount = 0;
}

// In the scratch copy exactly the listed objects become the selection.
void SelectListed(DrawingRecord* drawing, HGLOBAL list)
{
    ClearSelectionMarks(drawing);
    LockedTable objects(drawing, kTableObjects);
    for (int position = 0; position < ListCount(list); ++position) {
        const int index = ListIndex(list, position);
        if (index >= 0 && index < objects.Count())
            ObjectAt(objects.Get(), index)->stateFlags |= kStateSelected;
    }
}

// Keeps the selected objects of the scratch copy, or the listed ones when a
// list is given.
ErrorCode TrimScratchCopy(HWND view, bool anySelected, HGLOBAL list = nullptr)
{
    HGLOBAL handle = nullptr;
    ErrorCode code = OpenDrawingRecords(view, ClipboardScratchStore, 0, 0, &handle);
    if (code != kErrNone)
        return code;
    auto* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
    if (drawing && list)
        SelectListed(drawing, list);
    code = drawing ? KeepSelectedObjects(drawing, anySelected) : kErrNoMemory;
    if (code == kErrNone)
        code = SetDrawingTableDirty(drawing, kTableObjects);
    if (code == kErrNone)
        code = SetRecordDirty(handle);
    if (drawing)
        GlobalUnlock(handle);
    ReleaseDrawingRecords(handle);
    return code;
}

void SetMarker()
{
    if (!OpenClipboard(MainWindow))
        return;
    if (HGLOBAL marker = SeamGlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, kMarkerBytes)) {
        if (!SetClipboardData(PrivatePictFormat, marker))
            GlobalFree(marker);
    }
    CloseClipboard();
}

} // namespace

ErrorCode KeepSelectedObjects(DrawingRecord* drawing, bool anySelected)
{
    ErrorCode code = kErrNone;
    if (anySelected) {
        for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableLinks, kTableGroups})
            if (code == kErrNone)
                code = SetDrawingTableDirty(drawing, table);
        if (code == kErrNone)
            code = DeleteUnselectedObjects(drawing);
    }
    if (code == kErrNone)
        ClearSelectionMarks(drawing);
    return code;
}

ErrorCode ClearClipboardStore()
{
    const int store = ClipboardScratchStore;
    if (store < 0)
        return kErrNotDone;
    int groups = 0;
    ErrorCode code = CountGroups(store, &groups);
    for (int g = groups - 1; code == kErrNone && g >= 0; --g) {
        short group = 0;
        int records = 0;
        code = GetGroupIdAt(store, g, &group);
        if (code == kErrNone)
            code = CountGroupRecords(store, group, &records);
        for (int r = records - 1; code == kErrNone && r >= 0; --r) {
            short id = 0;
            RecordHandle record = nullptr;
            code = GetGroupRecordId(store, group, r, &id);
            if (code == kErrNone)
                code = FindRecord(store, group, id, &record);
            if (code == kErrNone)
                code = DeleteRecordByHandle(record);
            if (code == kErrNone)
                GlobalFree(record);
        }
    }
    return code;
}

ErrorCode CopySelection(HWND view, void*, DrawingRecord* drawing, int copy)
{
    const bool anySelected = drawing->selectedCount > 0;
    if (copy)
        ClearDocumentUndo(view);
    // The selection lives in the object table: the copied file must have it.
    ErrorCode code = SetDrawingTableDirty(drawing, kTableObjects);
    if (code == kErrNone)
        code = SetDrawingTableDirty(drawing, kTableGroups);
    if (code == kErrNone)
        code = ClearClipboardStore();
    const bool hasFile = DocumentHasFile(view);
    if (code == kErrNone)
        code = CopyDocumentToClipboardStore(view);
    if (code == kErrNone)
        code = TrimScratchCopy(view, anySelected);
    if (code == kErrNone && ClipboardCalls.putOnClipboard) {
        if (ClipboardCalls.setDocName)
            ClipboardCalls.setDocName(view, hasFile && copy ? 1 : 0);
        code = ClipboardCalls.putOnClipboard();
    }
    if (code != kErrNone) {
        EmptyClipboardNow();
        return code;
    }
    if (anySelected)
        SetMarker();
    return kErrNone;
}

ErrorCode CopyObjectsToScratchStore(HWND view, HGLOBAL objects)
{
    if (ClipboardScratchStore < 0)
        return kErrNotDone;
    ErrorCode code = ClearClipboardStore();
    if (code == kErrNone)
        code = CopyDocumentToClipboardStore(view);
    if (code == kErrNone)
        code = TrimScratchCopy(view, true, objects);
    return code;
}
