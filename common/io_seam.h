// The one narrow seam through which the store, the readers and the file helpers
// reach the file system and global memory. Tests arm a fault here to make the
// Nth call of a kind fail, once or from then on.
#pragma once
#include <windows.h>

enum SeamKind : unsigned {
    kSeamOpen = 1u << 0,
    kSeamRead = 1u << 1,
    kSeamWrite = 1u << 2,
    kSeamSeek = 1u << 3,
    kSeamSetLength = 1u << 4,
    kSeamAlloc = 1u << 5,   // GlobalAlloc and GlobalReAlloc
    kSeamFlush = 1u << 6,
    kSeamMove = 1u << 7,    // a file taking another's name
    kSeamDelete = 1u << 8,
    kSeamTempName = 1u << 9, // naming (and making) a temporary file
    kSeamAllFile = kSeamOpen | kSeamRead | kSeamWrite | kSeamSeek | kSeamSetLength,
    // Everything a save does to files; deletes apart, since a failed delete
    // leaves a file behind by its nature.
    kSeamAllSave = kSeamAllFile | kSeamFlush | kSeamMove | kSeamTempName,
};

// File calls with the semantics of _lopen-era calls: -1 (HFILE_ERROR) or a short
// count on failure.
HFILE SeamCreateFile(const char* name, DWORD access, DWORD share, DWORD creation);
UINT SeamRead(HFILE file, void* buffer, UINT count);
UINT SeamWrite(HFILE file, const void* buffer, UINT count);
LONG SeamSeek(HFILE file, LONG offset, int origin);
BOOL SeamSetLength(HFILE file, LONG length); // SetFilePointer + SetEndOfFile
HFILE SeamClose(HFILE file);
BOOL SeamDeleteFile(const char* name);
BOOL SeamFlush(HFILE file);
// MoveFileEx with replace and write-through: the new file takes the name whole.
BOOL SeamMoveFile(const char* from, const char* to);
// GetTempPath + GetTempFileName: the file is made, its name put in `path`
// (MAX_PATH characters).
BOOL SeamTempFileName(const char* prefix, char* path);

HGLOBAL SeamGlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL SeamGlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);

// Fault injection (tests only). Calls of the kinds in `mask` are counted from 1
// after arming; the call numbered `nth` fails, and with `persistent` every later
// one of those kinds too. Read and write faults fail without touching the file.
void SeamArmFault(unsigned mask, long nth, bool persistent);
void SeamDisarm();
bool SeamFaultFired();          // did an armed fault trigger since arming
long SeamCallsCounted();        // calls of the armed kinds since arming
