#include "objects/drawing_tables.h"

#include <initializer_list>

#include "common/handle_tokens.h"
#include "store/record_store.h"

uint32_t* DrawingTableWord(DrawingRecord* drawing, DrawingTableId table)
{
    switch (table) {
    case kTableObjects:
        return &drawing->objectTable;
    case kTableDrawOrder:
        return &drawing->drawOrder;
    case kTableLinks:
        return &drawing->linkTable;
    case kTableGroups:
    default:
        return &drawing->groupTable;
    }
}

HGLOBAL DrawingTableHandle(DrawingRecord* drawing, DrawingTableId table)
{
    return TokenHandle(*DrawingTableWord(drawing, table));
}

ErrorCode ResizeDrawingTable(DrawingRecord* drawing, DrawingTableId table, DWORD size)
{
    uint32_t token = *DrawingTableWord(drawing, table);
    RecordHandle handle = TokenHandle(token);
    if (!handle)
        return kErrNoMemory;
    ErrorCode code = ResizeRecord(&handle, size);
    if (handle)
        SetTokenHandle(token, handle);
    return code;
}

ErrorCode MarkDrawingTableChanged(DrawingRecord* drawing, DrawingTableId table)
{
    RecordHandle handle = DrawingTableHandle(drawing, table);
    return handle ? MarkRecordChanged(handle) : kErrNoMemory;
}

ErrorCode SetDrawingTableDirty(DrawingRecord* drawing, DrawingTableId table)
{
    RecordHandle handle = DrawingTableHandle(drawing, table);
    return handle ? SetRecordDirty(handle) : kErrNoMemory;
}

LockedTable::LockedTable(DrawingRecord* drawing, DrawingTableId table) : drawing_(drawing), table_(table)
{
    Refresh();
}

LockedTable::~LockedTable()
{
    if (handle_)
        GlobalUnlock(handle_);
}

void* LockedTable::Refresh()
{
    HGLOBAL current = drawing_ ? DrawingTableHandle(drawing_, table_) : nullptr;
    if (current != handle_) {
        // The old block went with a resize. The store carries a block's locks
        // over to its new block; only a block that came unlocked is locked here.
        handle_ = current;
        pointer_ = nullptr;
        if (handle_) {
            bool carried = (GlobalFlags(handle_) & GMEM_LOCKCOUNT) != 0;
            pointer_ = GlobalLock(handle_);
            if (carried)
                GlobalUnlock(handle_);
        }
        return pointer_;
    }
    if (handle_) {
        // Same handle: the block may still have moved in memory.
        pointer_ = GlobalLock(handle_);
        GlobalUnlock(handle_);
    }
    return pointer_;
}

int TableStoreSlot(const void* table)
{
    return table ? static_cast<const RecordHeader*>(table)->storeIndex : -1;
}

ErrorCode MarkDrawingTablesChanged(HGLOBAL drawingHandle, DrawingRecord* drawing)
{
    ErrorCode code = MarkRecordChanged(drawingHandle);
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableGroups})
        if (code == kErrNone)
            code = MarkDrawingTableChanged(drawing, table);
    return code;
}
