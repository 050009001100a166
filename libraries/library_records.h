// The records of a symbol library file (.VXL): the header with one item per
// symbol, the view block that remembers how the library was shown, and the
// groups that hold each symbol's picture, name and objects.
#pragma once
#include <windows.h>

#include "documents/document_records.h"

#include <cstddef>
#include <cstdint>

#include "common/error_codes.h"
#include "common/handle_words.h"

const short kLibraryInfoGroup = 200;
const short kLibraryPictureGroup = 201;
const short kLibraryNameGroup = 202;
const short kLibraryObjectsGroup = 203;
const short kLibraryHeaderId = 0;
const short kLibraryViewId = 1;
const short kLibraryThumbnailId = 2;

const uint32_t kLibraryMagic = 0xABCD;
const int16_t kLibraryVersionOld = 1;
const int16_t kLibraryVersionNew = 2;
const int16_t kLibraryVersionLatest = 3;
const int kMaxLibrarySymbols = 40;
const int kMaxSymbolConnectPoints = 16;
const int kMaxLibraryColors = 256;
const int kSymbolSquare = 600;       // connect points live in a 600 x 600 square
const int kSymbolSquareMid = 300;
// A symbol's picture holds at most 1,000,000 bytes in chunks of 60,000.
const int kMaxFurtherChunks = 16;
const DWORD kLibraryHeaderSize = 5064;
const DWORD kLibraryViewSize = 1166;
// A name record is made this big: 256 characters and the terminator, and the
// readers take at most 261 characters of it.
const DWORD kLibraryNameRecordSize = 273;
const int kLibraryNameReadLimit = 261;

enum LibraryViewFlags : uint16_t {
    kLibraryNamesMode = 1,
    kLibraryPointsNormalized = 2,
};

// Connect-point slots that hold the side midpoints.
enum ConnectMidSlot : int {
    kTopMidSlot = 2,
    kRightMidSlot = 6,
    kBottomMidSlot = 10,
    kLeftMidSlot = 14,
};

#pragma pack(push, 2)
struct ConnectPoint {
    int16_t x;
    int16_t y;
};

struct VexletRecord {
    int16_t preferredWidth;
    int16_t preferredHeight;
    int16_t symbolId;
    int16_t textPlacement;
    int16_t growMode;
    uint16_t optionFlags;
    double textMargins[4];
    int16_t connectPointCount;
    ConnectPoint connectPoints[kMaxSymbolConnectPoints];
    int16_t reserved1;
    int16_t reserved2;
    int16_t furtherChunks;
    int16_t reserved3;
    int32_t reserved4;
    int32_t reserved5;
};

// The payload of record (200,0); the store's 16-byte record header precedes it.
struct LibraryHeader {
    uint32_t magic;
    int16_t version;
    int16_t symbolCount;
    VexletRecord items[kMaxLibrarySymbols];
};

// The payload of record (200,1).
struct LibraryViewBlock {
    uint16_t flags;
    int16_t buttonSize;
    int16_t columns;
    int16_t rows;
    uint8_t reserved[116];
    int16_t paletteCount;
    PALETTEENTRY paletteEntries[kMaxLibraryColors];
};
#pragma pack(pop)

static_assert(sizeof(VexletRecord) == 126, "symbol item");
CHECK_FIELD_OFFSET(VexletRecord, textMargins, 12);
CHECK_FIELD_OFFSET(VexletRecord, connectPointCount, 44);
CHECK_FIELD_OFFSET(VexletRecord, connectPoints, 46);
CHECK_FIELD_OFFSET(VexletRecord, furtherChunks, 114);
CHECK_FIELD_OFFSET(VexletRecord, reserved5, 122);
static_assert(sizeof(LibraryHeader) + kRecordHeaderBytes == kLibraryHeaderSize, "library header");
CHECK_FIELD_OFFSET(LibraryHeader, items, 8);
static_assert(sizeof(LibraryViewBlock) + kRecordHeaderBytes == kLibraryViewSize, "library view block");
CHECK_FIELD_OFFSET(LibraryViewBlock, paletteCount, 124);
CHECK_FIELD_OFFSET(LibraryViewBlock, paletteEntries, 126);

// The open results that are not store codes.
constexpr ErrorCode kErrNotALibrary{1};
constexpr ErrorCode kErrLibraryLaterVersion{-1};

// The payload of a locked record.
template <typename T>
T* RecordPayload(void* locked)
{
    return reinterpret_cast<T*>(static_cast<uint8_t*>(locked) + kRecordHeaderBytes);
}

// A new symbol's item: placed below, proportional, colours fixed, the
// default text margins and the 16 points around its frame.
void InitVexletRecord(VexletRecord* item);
