// The byte layout of store files: the header, the block header every block
// starts with, index entries and blocks, and the free-space map. All integers
// are little-endian; these structs are the file's bytes on x86 and x64.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// The first 16 bytes of every block, in the file and in memory.
struct RecordHeader {
    int16_t key;        // record id; group id for a group block; -1/-2/-3 for the roots and the map
    int16_t parent;     // group id for a record; -1/-2 for a group block; -4 for roots and the map
    int16_t storeIndex; // memory only: the slot of the store holding the block
    int32_t offset;     // from the store's base offset
    uint32_t size;      // bytes, header included
    uint16_t flags;     // kBlockChanged, kBlockInUse, kBlockPlaceholder
};

// One entry of an index block, and the three roots of the header.
struct IndexEntry {
    int16_t key;
    int32_t offset;
    uint32_t size;
    uint32_t handle; // memory only: a token of the store's handle table, 0 when not loaded
};

// The 202-byte header at the store's base offset; also the store's slot in
// the store table while it is open.
struct StoreHeader {
    int16_t version;     // 2
    int16_t secondWord;  // -1
    int32_t baseOffset;
    uint16_t flags;      // kSlot* bits
    int16_t fileHandle;  // memory only; the real handle is kept beside the slot
    uint8_t spare12[2];
    int16_t shift;       // allocation shift 0..10
    int16_t blockCount;  // group and record blocks of both trees
    int16_t blockLimit;  // 32700 minus the map's capacity
    int32_t reserved20;
    IndexEntry mainRoot;    // key -1
    IndexEntry shadowRoot;  // key -2
    IndexEntry freeMapRoot; // key -3
    uint8_t spare66[136];
};

// The fixed part of the free-space map block; the two extent lists follow.
struct FreeMapHeader {
    RecordHeader header;
    int16_t capacity;
    int16_t count;
    int32_t lostBytes;
    int32_t endOfData;
};

struct FreeExtent {
    int32_t offset;
    int32_t size;
};

#pragma pack(pop)

static_assert(sizeof(RecordHeader) == 16, "RecordHeader is 16 bytes");
static_assert(offsetof(RecordHeader, key) == 0, "RecordHeader.key");
static_assert(offsetof(RecordHeader, parent) == 2, "RecordHeader.parent");
static_assert(offsetof(RecordHeader, storeIndex) == 4, "RecordHeader.storeIndex");
static_assert(offsetof(RecordHeader, offset) == 6, "RecordHeader.offset");
static_assert(offsetof(RecordHeader, size) == 10, "RecordHeader.size");
static_assert(offsetof(RecordHeader, flags) == 14, "RecordHeader.flags");

static_assert(sizeof(IndexEntry) == 14, "IndexEntry is 14 bytes");
static_assert(offsetof(IndexEntry, offset) == 2, "IndexEntry.offset");
static_assert(offsetof(IndexEntry, size) == 6, "IndexEntry.size");
static_assert(offsetof(IndexEntry, handle) == 10, "IndexEntry.handle");

static_assert(sizeof(StoreHeader) == 202, "StoreHeader is 202 bytes");
static_assert(offsetof(StoreHeader, secondWord) == 2, "StoreHeader.secondWord");
static_assert(offsetof(StoreHeader, baseOffset) == 4, "StoreHeader.baseOffset");
static_assert(offsetof(StoreHeader, flags) == 8, "StoreHeader.flags");
static_assert(offsetof(StoreHeader, fileHandle) == 10, "StoreHeader.fileHandle");
static_assert(offsetof(StoreHeader, shift) == 14, "StoreHeader.shift");
static_assert(offsetof(StoreHeader, blockCount) == 16, "StoreHeader.blockCount");
static_assert(offsetof(StoreHeader, blockLimit) == 18, "StoreHeader.blockLimit");
static_assert(offsetof(StoreHeader, reserved20) == 20, "StoreHeader.reserved20");
static_assert(offsetof(StoreHeader, mainRoot) == 24, "StoreHeader.mainRoot");
static_assert(offsetof(StoreHeader, shadowRoot) == 38, "StoreHeader.shadowRoot");
static_assert(offsetof(StoreHeader, freeMapRoot) == 52, "StoreHeader.freeMapRoot");
static_assert(offsetof(StoreHeader, spare66) == 66, "StoreHeader.spare66");

static_assert(sizeof(FreeMapHeader) == 28, "FreeMapHeader is 28 bytes");
static_assert(offsetof(FreeMapHeader, capacity) == 16, "FreeMapHeader.capacity");
static_assert(offsetof(FreeMapHeader, count) == 18, "FreeMapHeader.count");
static_assert(offsetof(FreeMapHeader, lostBytes) == 20, "FreeMapHeader.lostBytes");
static_assert(offsetof(FreeMapHeader, endOfData) == 24, "FreeMapHeader.endOfData");
static_assert(sizeof(FreeExtent) == 8, "FreeExtent is 8 bytes");

// Block header flags.
const uint16_t kBlockChanged = 1;     // to be written at the next flush
const uint16_t kBlockInUse = 4;       // set by callers; the store never tests it
const uint16_t kBlockPlaceholder = 8; // stands for something that did not exist when the checkpoint opened

// Slot (header) flags.
const uint16_t kSlotHeaderChanged = 1;
const uint16_t kSlotCheckpoint = 4;
const uint16_t kSlotOpen = 8;
const uint16_t kSlotReadOnly = 0x20;

// Keys of the roots and the map, and the parent key they carry.
const int16_t kMainRootKey = -1;
const int16_t kShadowRootKey = -2;
const int16_t kFreeMapKey = -3;
const int16_t kRootParent = -4;

const int16_t kStoreVersion = 2;
const int kStoreHeaderSize = 202;
const int kRecordHeaderSize = 16;
const int kIndexBlockHeaderSize = 18; // a RecordHeader and the i16 entry count
const int kIndexEntrySize = 14;
const int kFreeMapFixedSize = 28;
const int kFreeExtentPairSize = 16; // one extent in each list
const int kMaxShift = 10;
const uint32_t kMaxBlockSize = 0x8FFFFFFFu;
const int kBlockLimitBase = 32700;
// Entries one index block may hold: the i16 count's whole range, so that a
// group can name one record for each of a drawing's 16,000 objects and more.
const int kMaxIndexEntries = 32767;

inline uint32_t IndexBlockSize(int count)
{
    return static_cast<uint32_t>(kIndexBlockHeaderSize + kIndexEntrySize * count);
}
inline uint32_t FreeMapSize(int capacity)
{
    return static_cast<uint32_t>(kFreeMapFixedSize + kFreeExtentPairSize * capacity);
}
