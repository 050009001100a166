// The tagged record stream of drawings, templates, library symbols, native
// transfer data and the options file.
//
// A stream is an eight-character signature, then records: a u16 tag and,
// unless the tag has bit 0x4000, a u32 length and that many payload bytes.
// Tags with 0x8000 open a block, (opener & 0x7FFF) | 0x4000 closes it; the
// whole stream is the block 0x8001 .. 0x4001. Integers are little-endian.
//
// One stream is read or written at a time: the payload buffer, the memory
// source or target and the file buffers are program-wide. An operation runs
// from BeginStreamOperation to EndStreamOperation.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "documents/stream_errors.h"

const uint16_t kTagNoPayload = 0x4000;
const uint16_t kTagOpener = 0x8000;
const uint16_t kStreamHeaderTag = 0x8001;
const uint16_t kStreamEndTag = 0x4001;
const int kStreamSignatureSize = 8;
const uint32_t kStreamHeaderSize = 12;
const int kStreamUnitsPerInch = 600;
const DWORD kStreamBufferInitialSize = 0x10000;
const UINT kStreamPieceSize = 0x8000;

extern const char kDrawingStreamSignature[kStreamSignatureSize + 1];  // "QUORVELX"
extern const char kOptionsStreamSignature[kStreamSignatureSize + 1];  // "QRVLOPTI"

inline bool IsBlockOpener(uint16_t tag) { return (tag & 0xC000) == kTagOpener; }
inline bool HasNoPayload(uint16_t tag) { return (tag & kTagNoPayload) != 0; }
inline uint16_t CloserOf(uint16_t opener) { return static_cast<uint16_t>((opener & 0x7FFF) | kTagNoPayload); }

// The six words of the stream header record (0x8001).
struct StreamHeader {
    int16_t generation;   // 2 drawings, 3 options
    int16_t fixed300;     // 300, not interpreted
    int16_t kind;         // 1 drawings, 2 options, not interpreted
    int16_t version;      // format version
    int16_t fixed100;     // 100, kept but not used
    int16_t unitsPerInch; // units of every stored coordinate
};
const StreamHeader kDrawingStreamHeader = {2, 300, 1, 2, 100, 600};
const StreamHeader kOptionsStreamHeader = {3, 300, 2, 3, 100, 600};

// ---- The operation and its payload buffer ----

// Allocates the 64 KiB zero-filled payload buffer and forgets any earlier
// stream state; 10004 when the buffer cannot be had.
ErrorCode BeginStreamOperation();
// Writes out what a file target still holds (1002 when that fails), gives a
// file source back the bytes read ahead, closes the memory state and frees
// the payload buffer.
ErrorCode EndStreamOperation();
// The payload of the record read last (or the room a writer assembles in).
unsigned char* StreamPayload();
DWORD StreamBufferSize();
// Reallocates the payload buffer to exactly `size`; 10004 leaves the old one.
ErrorCode GrowStreamBuffer(DWORD size);

// Units per inch of the stream being read (header word 5; 600 while writing)
// and header word 4 as read.
extern int StreamUnitsPerInch;
extern int StreamHeaderWord4;

// ---- Records ----

// The next record from the memory source when one is open, else from the
// file; its payload lies at StreamPayload(). 1001 when any part is missing.
ErrorCode ReadStreamRecord(HFILE file, uint16_t* tag, uint32_t* length);
// Reads and discards records up to and including the one tagged closeTag.
ErrorCode SkipStreamBlock(HFILE file, uint16_t closeTag);
// Writes a record to the memory target when one is open, else to the file
// (through the write buffer: call FlushStreamWrites or WriteStreamEnd before
// the file is used otherwise). 1002 when it cannot be written.
ErrorCode WriteStreamRecord(HFILE file, uint16_t tag, uint32_t length, const void* payload);
ErrorCode FlushStreamWrites(HFILE file);

// A reader's answer for one record of a block: recognised, or not (then an
// opener is skipped whole and anything else ignored).
typedef ErrorCode (*StreamRecordHandler)(HFILE file, uint16_t tag, uint32_t length, void* context,
                                         bool* recognised);
// Reads records up to the block's closer, handing each to the handler.
// Blocks nested deeper than kMaxStreamNesting fail with 1001.
ErrorCode ReadStreamBlock(HFILE file, uint16_t closer, StreamRecordHandler handler, void* context);
const int kMaxStreamNesting = 64;

// ---- Beginning and end of a stream ----

// The signature, then the header record; units become 600.
ErrorCode WriteStreamStart(HFILE file, const char* signature, const StreamHeader& header);
// The end record 0x4001, then everything held is written out.
ErrorCode WriteStreamEnd(HFILE file);
// Checks the signature (case ignored) and the header record: 1001 when they
// are cut short, 1003 when they are not there or name 0 units per inch.
// Sets StreamUnitsPerInch and StreamHeaderWord4.
ErrorCode ReadStreamStart(HFILE file, const char* signature, StreamHeader* header);
// Raw bytes through the same source and target (the signature).
UINT ReadStreamBytes(HFILE file, void* destination, UINT count);
ErrorCode WriteStreamBytes(HFILE file, const void* source, UINT count);

// ---- Memory form: a movable block whose first u32 is the bytes used ----

// Opens the block as source or target at position 4. A size beyond the
// block's real size is refused with 1001 and nothing is opened.
ErrorCode OpenStreamMemory(HGLOBAL block, DWORD size);
// Unlocks the block and clears the memory state; the block is not freed.
void CloseStreamMemory();
// At most what is left before the size; -1 when no memory stream is open.
long ReadMemoryBytes(void* destination, long count);
// The count, or -1 when no memory stream is open or the block cannot grow;
// the block grows in steps of 64 KiB (of half its size, in whole 64 KiB,
// once it passes 128 KiB).
long WriteMemoryBytes(const void* source, long count);
// Reads a memory stream's u32 prefix and checks it against the block: 1001
// when the block is shorter than the prefix says or too short for one.
ErrorCode ReadStreamMemoryPrefix(HGLOBAL block, DWORD* size);
// Ends a memory target: the prefix becomes the bytes used, the memory state
// is closed and the block is shrunk to the size (kept larger when the shrink
// fails). `block` may change.
ErrorCode FinishStreamMemory(HGLOBAL* block, DWORD* size);
// A fresh zero-filled 64 KiB target block, or none.
HGLOBAL NewStreamMemoryBlock();

// ---- Units ----

// `value` in `fromUnits` per inch converted to `toUnits` per inch: unchanged
// when they are equal, else multiplied by the ratio and truncated toward zero.
int32_t ScaleToDrawingUnits(int32_t value, int fromUnits, int toUnits);
