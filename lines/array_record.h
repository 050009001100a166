// The ArrayBranchList record (group 120) of an array: its layout, the checks
// that keep every reader inside the record, and the record held locked for
// one operation.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"
#include "store/record_store.h"

#pragma pack(push, 4)
struct ArrayBranchEntry {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    int32_t id;       // the object hanging here, 0xFFFF none
    int32_t hint;     // its object-table index, re-resolved before use
    int32_t extent;
};

struct ArrayBranchHead {
    unsigned char header[16];
    uint32_t flags;
    int32_t angle;
    int32_t branchLength;
    int32_t gap;
    int32_t branchCount;
    int32_t entryCount;
};
#pragma pack(pop)

static_assert(sizeof(ArrayBranchEntry) == 28, "branch entry");
static_assert(offsetof(ArrayBranchEntry, id) == 16, "");
static_assert(offsetof(ArrayBranchEntry, hint) == 20, "");
static_assert(offsetof(ArrayBranchEntry, extent) == 24, "");
static_assert(sizeof(ArrayBranchHead) == 40, "branch list head");
static_assert(offsetof(ArrayBranchHead, flags) == 16, "");
static_assert(offsetof(ArrayBranchHead, angle) == 20, "");
static_assert(offsetof(ArrayBranchHead, branchLength) == 24, "");
static_assert(offsetof(ArrayBranchHead, gap) == 28, "");
static_assert(offsetof(ArrayBranchHead, branchCount) == 32, "");
static_assert(offsetof(ArrayBranchHead, entryCount) == 36, "");

enum ArrayFlagBits : uint32_t {
    kArrayFlipSide = 1,
    kArrayBothSides = 2,
    kArrayStaggered = 4,
    kArrayStemMiddle = 8,
    kArrayLinear = 16,
};

const int kArrayHeadSize = 40;
const int kArrayEntrySize = 28;
const int kArrayVertical = 2;              // DrawingObject +216
const uint32_t kStateLayoutPending = 0x4000;
const int kArrayMaxBranches = kMaxObjects; // one object per branch at most

inline DWORD ArrayRecordSize(int branchCount)
{
    return static_cast<DWORD>(kArrayHeadSize + kArrayEntrySize * (branchCount + 3));
}

inline ArrayBranchEntry* ArrayEntryAt(ArrayBranchHead* list, int index)
{
    return reinterpret_cast<ArrayBranchEntry*>(reinterpret_cast<unsigned char*>(list) + kArrayHeadSize +
                                               static_cast<size_t>(kArrayEntrySize) * index);
}
inline const ArrayBranchEntry* ArrayEntryAt(const ArrayBranchHead* list, int index)
{
    return ArrayEntryAt(const_cast<ArrayBranchHead*>(list), index);
}

// 0 when the counts of a record of `size` bytes are usable: at least one
// entry, branches within the entries, no more than three entries besides the
// branches, and room for the branches plus the trunk, stem and tail entries.
// Otherwise kStoreErrTooSmall: the counts came from a file and are not trusted.
ErrorCode CheckArrayBranchList(const ArrayBranchHead* list, DWORD size);

inline int FirstBranchEntry(const ArrayBranchHead* list)
{
    return list->entryCount - list->branchCount;
}
const int32_t kBranchNoObject = 0xFFFF;

// Hands the id and index hint of every branch that holds an object to
// `rehook(id, hint)`, which points them at another object or clears them
// (kBranchNoObject, -1). A list whose counts do not fit its record is left alone.
template <typename Rehook>
void RehookBranchEntries(ArrayBranchHead* list, DWORD size, Rehook rehook)
{
    if (!list || CheckArrayBranchList(list, size) != kErrNone)
        return;
    for (int e = FirstBranchEntry(list); e < list->entryCount; ++e) {
        ArrayBranchEntry* entry = ArrayEntryAt(list, e);
        if (entry->id != kBranchNoObject)
            rehook(&entry->id, &entry->hint);
    }
}

inline bool ArrayIsLinear(const ArrayBranchHead* list)
{
    return (list->flags & kArrayLinear) != 0;
}
// Stem at the end: both sides, or the stem-at-the-middle bit clear.
inline bool ArrayStemAtEnd(const ArrayBranchHead* list)
{
    return (list->flags & kArrayBothSides) || !(list->flags & kArrayStemMiddle);
}
inline bool ArrayIsVertical(const DrawingObject* array)
{
    return array->shapeType == kArrayVertical;
}

// The lean of fishbone branches along the trunk.
int32_t GetFishboneOffset(const ArrayBranchHead* list);

// The store a drawing's records live in; without a drawing, the store of the
// locked object table.
int ArrayStoreSlot(const DrawingRecord* drawing, const void* table);

// The branch list of an array, found, checked and locked for one operation.
class ArrayRecord {
public:
    ArrayRecord() = default;
    ~ArrayRecord() { Release(); }
    ArrayRecord(const ArrayRecord&) = delete;
    ArrayRecord& operator=(const ArrayRecord&) = delete;

    ErrorCode Find(const DrawingRecord* drawing, const void* table, const DrawingObject* array);
    // MarkRecordChanged and SetRecordDirty.
    ErrorCode MarkChanged();
    // Grows or shrinks the record; the list pointer changes.
    ErrorCode Resize(DWORD size);
    void Release();
    ArrayBranchHead* Get() const { return list_; }
    ArrayBranchEntry* Entry(int index) const { return ArrayEntryAt(list_, index); }
    DWORD Size() const { return size_; }
    RecordHandle Handle() const { return handle_; }

private:
    RecordHandle handle_ = nullptr;
    ArrayBranchHead* list_ = nullptr;
    DWORD size_ = 0;
};
