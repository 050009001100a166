#include "lines/array_record.h"

#include <cmath>

#include "lines/connector_route.h"

ErrorCode CheckArrayBranchList(const ArrayBranchHead* list, DWORD size)
{
    if (!list || size < static_cast<DWORD>(kArrayHeadSize))
        return kStoreErrTooSmall;
    int entries = list->entryCount;
    int branches = list->branchCount;
    if (entries < 1 || branches < 0 || branches > entries || branches > kArrayMaxBranches ||
        entries > branches + 3)
        return kStoreErrTooSmall;
    if (size < ArrayRecordSize(branches))
        return kStoreErrTooSmall;
    return kErrNone;
}

int32_t GetFishboneOffset(const ArrayBranchHead* list)
{
    if (list->angle == 0 || list->entryCount <= 1)
        return 0;
    double t = std::tan(list->angle * 3.1415926535 / 180.0);
    if (t == 0.0)
        return 0;
    double value = list->branchLength * (1.0 / t);
    // tan of 135 degrees comes out a hair below -1, which would truncate the
    // lean to -149: a value that misses a whole number only by rounding noise
    // is that number.
    double nearest = std::round(value);
    if (std::fabs(value - nearest) < 1e-6)
        return static_cast<int32_t>(nearest);
    return static_cast<int32_t>(value);
}

int ArrayStoreSlot(const DrawingRecord* drawing, const void* table)
{
    return drawing ? drawing->storeSlot : TableStoreSlot(table);
}

ErrorCode ArrayRecord::Find(const DrawingRecord* drawing, const void* table, const DrawingObject* array)
{
    Release();
    if (!array || array->kind != kKindArray || array->dataGroup != kArrayBranchGroup)
        return kStoreErrNotFound;
    int store = ArrayStoreSlot(drawing, table);
    RecordHandle handle = nullptr;
    ErrorCode code = FindRecord(store, kArrayBranchGroup, static_cast<short>(array->dataFirstId), &handle);
    if (code != kErrNone)
        return code;
    DWORD size = QueryRecordSize(handle);
    auto* list = static_cast<ArrayBranchHead*>(GlobalLock(handle));
    if (!list) {
        ReleaseRecord(handle);
        return kErrNoMemory;
    }
    code = CheckArrayBranchList(list, size);
    if (code != kErrNone) {
        GlobalUnlock(handle);
        ReleaseRecord(handle);
        return code;
    }
    handle_ = handle;
    list_ = list;
    size_ = size;
    return kErrNone;
}

ErrorCode ArrayRecord::MarkChanged()
{
    ErrorCode code = MarkRecordChanged(handle_);
    if (code == kErrNone)
        code = SetRecordDirty(handle_);
    return code;
}

ErrorCode ArrayRecord::Resize(DWORD size)
{
    GlobalUnlock(handle_);
    list_ = nullptr;
    ErrorCode code = ResizeRecord(&handle_, size);
    list_ = static_cast<ArrayBranchHead*>(GlobalLock(handle_));
    if (code == kErrNone && !list_)
        code = kErrNoMemory;
    if (code == kErrNone)
        size_ = QueryRecordSize(handle_);
    return code;
}

void ArrayRecord::Release()
{
    if (handle_) {
        if (list_)
            GlobalUnlock(handle_);
        ReleaseRecord(handle_);
    }
    handle_ = nullptr;
    list_ = nullptr;
    size_ = 0;
}
