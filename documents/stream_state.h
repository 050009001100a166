// The stream layer's own state, shared by its files: the memory source or
// target and the byte level below the records.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"

struct StreamMemoryState {
    HGLOBAL block;
    unsigned char* base;  // locked while open
    DWORD size;           // bytes used (source) or room (target)
    DWORD position;
};
extern StreamMemoryState StreamMemory;

// Bytes from the memory source, else from the file through the read buffer;
// fewer than asked at the end of the data or on a read error.
UINT StreamSourceRead(HFILE file, void* destination, UINT count);
// How many bytes the source still holds; false when the file cannot say.
bool StreamSourceLeft(HFILE file, uint64_t* left);
// All bytes to the memory target, else to the file through the write buffer.
bool StreamTargetWrite(HFILE file, const void* source, UINT count);
// Writes out pending file bytes (1002 when that fails) and gives a file
// source back the bytes read ahead, then forgets the file.
ErrorCode ReleaseStreamFile();
// Forgets the file buffers without touching the file.
void ResetStreamFile();
