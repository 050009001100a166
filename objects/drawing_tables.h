// Reaching the four tables of a drawing through the handles its record keeps.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

enum DrawingTableId : int {
    kTableObjects,
    kTableDrawOrder,
    kTableLinks,
    kTableGroups,
};

// The word of the drawing record that names a table.
uint32_t* DrawingTableWord(DrawingRecord* drawing, DrawingTableId table);
HGLOBAL DrawingTableHandle(DrawingRecord* drawing, DrawingTableId table);

// Grows or shrinks a table record and keeps the drawing record's word on it.
ErrorCode ResizeDrawingTable(DrawingRecord* drawing, DrawingTableId table, DWORD size);
ErrorCode MarkDrawingTableChanged(DrawingRecord* drawing, DrawingTableId table);
// The drawing record, its objects, draw order and groups, marked changed for
// the open undo step.
ErrorCode MarkDrawingTablesChanged(HGLOBAL drawingHandle, DrawingRecord* drawing);
ErrorCode SetDrawingTableDirty(DrawingRecord* drawing, DrawingTableId table);
// The store a locked object table belongs to, from its record header.
int TableStoreSlot(const void* table);

// A table locked for the length of a scope. Refresh() re-reads the pointer
// after anything that may have resized the table (a kind procedure, a resize).
class LockedTable {
public:
    LockedTable(DrawingRecord* drawing, DrawingTableId table);
    ~LockedTable();
    LockedTable(const LockedTable&) = delete;
    LockedTable& operator=(const LockedTable&) = delete;

    void* Refresh();
    void* Get() const { return pointer_; }
    int Count() const { return pointer_ ? TableCount(pointer_) : 0; }

private:
    DrawingRecord* drawing_;
    DrawingTableId table_;
    HGLOBAL handle_ = nullptr;
    void* pointer_ = nullptr;
};
