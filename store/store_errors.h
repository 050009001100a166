// The record store's result codes. 0 is success; the application's own codes
// 10003 (file), 10004 (memory) and 10006 (disk full) also come back from store
// operations (common/error_codes.h).
#pragma once
#include "common/error_codes.h"

enum StoreErrorCode : int {
    kStoreErrBadShift = 1,           // allocation shift outside 0..10
    kStoreErrNoFreeSlot = 2,         // no free slot in the store table
    kStoreErrSizeMismatch = 3,       // a block's size differs from its index entry (or between the free lists)
    kStoreErrOffsetMismatch = 4,     // a block's offset differs from its index entry, or lies outside the data
    kStoreErrParentMismatch = 5,     // a block's parent key is not the expected one
    kStoreErrBaseMismatch = 6,       // the header's base offset is not the offset the store is opened at
    kStoreErrNotStore = 7,           // not a store header (version word not 2 or second word not -1)
    kStoreErrIndexRange = 8,         // store index out of range
    kStoreErrNotOpen = 9,            // store slot not open
    kStoreErrFreeMap = 10,           // free-space map inconsistent
    kStoreErrNotFound = 11,          // group or record not found
    kStoreErrExists = 12,            // the key exists already, or the parent is a placeholder
    kStoreErrTooSmall = 13,          // a block or record smaller than its 16-byte header
    kStoreErrFreedTwice = 14,        // file space freed twice
    kStoreErrNoEntry = 15,           // index entry not found; in verification a loaded block's key differs
    kStoreErrSameOffset = 16,        // two blocks at one file offset; one extent named twice
    kStoreErrOverlap = 17,           // two blocks overlap
    kStoreErrWrongStore = 18,        // a loaded block's store index differs
    kStoreErrLostBytes = 19,         // the gaps between blocks do not add up to the lost bytes
    kStoreErrSizeOrder = 20,         // free-map by-size list out of order
    kStoreErrOffsetOrder = 21,       // free-map by-offset list out of order
    kStoreErrKeyOrder = 22,          // keys of an index block not ascending
    kStoreErrNegativeGroup = 23,     // negative group id
    kStoreErrLimit = 24,             // block limit reached, or no free id left in a group
    kStoreErrShortMemory = 25,       // a block's memory is shorter than its size
    kStoreErrEnumRange = 26,         // enumeration index out of range
    kStoreErrCompaction = 27,        // compaction failed
    kStoreErrFileLength = 28,        // the file's length is neither the end of data nor one more
    kStoreErrNoCheckpoint = 29,      // no checkpoint is open
    kStoreErrBlockCount = 30,        // the block count differs from the blocks found
    kStoreErrTooLarge = 31,          // size above 0x8FFFFFFF, or the block list overflows
    kStoreErrIndexFull = 32,         // index block full
    kStoreErrMemoryStore = 33,       // memory store (named for callers; the store never returns it)
};

template <>
struct IsErrorCodeEnum<StoreErrorCode> : std::true_type {};

const int kStoreErrFirst = 1;
const int kStoreErrLast = 33;
