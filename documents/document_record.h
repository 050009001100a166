// The DocumentRecord: per document window (window word 0 of the MDI child),
// naming the document's file, the lock kept on it and the working store.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/error_codes.h"
#include "common/handle_words.h"

const int kDocumentPathSize = 262;

struct DocumentRecord {
    int32_t untitledNumber;          // 0 for a document with a file
    char path[kDocumentPathSize];    // the file, or the template of an untitled copy
    char workingPath[kDocumentPathSize];
    int32_t lockHandle;              // the document's file held open, -1 none
    int32_t workingHandle;           // the working file, open for the document's life
    int32_t storeSlot;               // the working store
    int32_t olderFormat;             // 1 when read from an earlier format
    int32_t lockKept;                // 1 on a fixed or network drive
    int32_t readOnly;                // 1 when the file opened only for reading
};
static_assert(sizeof(DocumentRecord) == 552, "document record");
CHECK_FIELD_OFFSET(DocumentRecord, path, 4);
CHECK_FIELD_OFFSET(DocumentRecord, workingPath, 266);
CHECK_FIELD_OFFSET(DocumentRecord, lockHandle, 528);
CHECK_FIELD_OFFSET(DocumentRecord, storeSlot, 536);
CHECK_FIELD_OFFSET(DocumentRecord, readOnly, 548);

// Byte offset of the pointer-sized window word that holds the record.
const int kDocumentRecordWord = 0;

// The highest untitled number in use.
extern int UntitledCount;

// The prefix of working files; GetTempFileName uses its first three letters.
extern const char kWorkingFilePrefix[];

// Deletes the working files of runs that ended without cleaning up; those a
// running instance holds stay. Returns how many went.
int RemoveStaleWorkingFiles();

HGLOBAL GetDocumentRecordHandle(HWND documentWindow);
void SetDocumentRecordHandle(HWND documentWindow, HGLOBAL record);

// Makes the DocumentRecord and the working store in a new temporary file.
// A new untitled document (number nonzero, not a template copy) gets an empty
// store; a stream file (drawing or template) an empty store that its reader
// fills; an earlier-version file, itself a store, is copied into the working
// file and opened there. `lockHandle` is the document's own file, or -1.
ErrorCode CreateWorkingStore(HWND documentWindow, int untitledNumber, int templateCopy, int streamFile,
                             const char* path, int* storeSlot, HFILE* lockHandle);
// The empty groups of a drawing in the order the store expects them.
ErrorCode CreateDocumentGroups(int storeSlot);
// Copies a whole file; a file given by path (open flag 0) is opened and
// closed here, one given by handle (flag 1) neither.
ErrorCode CopyFileChunks(const char* sourcePath, HFILE sourceHandle, int sourceOpen, const char* targetPath,
                         HFILE targetHandle, int targetOpen);
bool IsFixedOrNetworkDrive(const char* path);
// At WM_DESTROY of the document window: closes and deletes the working
// store, closes the kept file, gives back the untitled number.
void DestroyDocumentData(HWND documentWindow);
