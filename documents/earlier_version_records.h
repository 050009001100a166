// Rewriting one record of a working store into its current layout: the old
// payload is copied whole first, so nothing is overwritten before it is read.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "common/error_codes.h"
#include "common/handle_words.h"

// A damaged earlier-version record: its counts do not fit its size.
const ErrorCode kErrOldRecordDamaged = kErrFile;

// The old payload, read with bounds.
class OldPayload {
public:
    explicit OldPayload(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    DWORD Size() const { return static_cast<DWORD>(bytes_.size()); }
    bool Holds(DWORD offset, DWORD count) const { return offset <= Size() && count <= Size() - offset; }
    int32_t I16(DWORD offset) const { return Holds(offset, 2) ? ReadLeI16(&bytes_[offset]) : 0; }
    int32_t U16(DWORD offset) const { return Holds(offset, 2) ? ReadLeU16(&bytes_[offset]) : 0; }
    int32_t I32(DWORD offset) const { return Holds(offset, 4) ? ReadLeI32(&bytes_[offset]) : 0; }
    const uint8_t* At(DWORD offset) const { return bytes_.data() + offset; }

private:
    std::vector<uint8_t> bytes_;
};

// The new payload being written.
class NewPayload {
public:
    NewPayload(uint8_t* bytes, DWORD size) : bytes_(bytes), size_(size) {}
    void I32(DWORD offset, int32_t value)
    {
        if (offset + 4 <= size_)
            WriteLeI32(bytes_ + offset, value);
    }
    void Bytes(DWORD offset, const void* source, DWORD count)
    {
        if (offset + count <= size_)
            std::memcpy(bytes_ + offset, source, count);
    }
    // A string of at most `field` - 1 characters, terminated.
    void String(DWORD offset, const uint8_t* source, DWORD available, DWORD field);
    uint8_t* At(DWORD offset) { return bytes_ + offset; }

private:
    uint8_t* bytes_;
    DWORD size_;
};

// The new payload size for an old payload, or 0 when the old one is damaged.
typedef DWORD (*NewSizeOf)(const OldPayload& old);
typedef void (*WidenPayload)(const OldPayload& old, NewPayload* target);

// Finds (group, id), sizes it for the new layout (only growing it when
// `growOnly`), clears the payload, widens it and marks it dirty.
ErrorCode RewriteOldRecord(int store, short group, short id, NewSizeOf sizeOf, WidenPayload widen, bool growOnly);
// The ids of a group in ascending order; a group the store does not hold has none.
ErrorCode OldGroupIds(int store, short group, std::vector<short>* ids);

// The widening of each kind of record.
DWORD FontTableSize(const OldPayload& old);
void WidenFontTable(const OldPayload& old, NewPayload* target);
DWORD FontListSize(const OldPayload& old);
void WidenFontList(const OldPayload& old, NewPayload* target);
DWORD ColorListSize(const OldPayload& old);
void WidenColorList(const OldPayload& old, NewPayload* target);
DWORD DrawingRecordSize(const OldPayload& old);
void WidenDrawingRecord(const OldPayload& old, NewPayload* target);
DWORD ObjectTableSize(const OldPayload& old);
void WidenObjectTable(const OldPayload& old, NewPayload* target);
DWORD DrawOrderSize(const OldPayload& old);
void WidenDrawOrder(const OldPayload& old, NewPayload* target);
DWORD LinkTableSize(const OldPayload& old);
void WidenLinkTable(const OldPayload& old, NewPayload* target);
DWORD TextBlockSize(const OldPayload& old);
void WidenTextBlock(const OldPayload& old, NewPayload* target);
DWORD RouteSize(const OldPayload& old);
void WidenRoute(const OldPayload& old, NewPayload* target);
// The view record's payload (old in `old`) into a 400-byte ViewRecord.
void WidenViewRecord(const OldPayload& old, NewPayload* target);
