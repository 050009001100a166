// Opening, checking, upgrading and creating library files.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "libraries/library_records.h"
#include "store/record_store.h"

// A library file open in the store table with its header fetched.
struct OpenedLibrary {
    int store = -1;
    BOOL readOnly = FALSE;
    RecordHandle header = nullptr;
};

// Creates record (200,1) with no saved layout and no colours, then flushes.
ErrorCode CreateLibraryViewBlock(int store, int buttonSize);
// Clears what an earlier format kept in the picture chunks and items; the
// header is left unchanged when enumerating the pictures fails.
ErrorCode ConvertVersion1Library(LibraryHeader* header, int store);
// Brings a view block of another size to the current size, dropping the
// saved layout and colours.
ErrorCode WidenLibraryViewBlock(RecordHandle* view);
// Puts each symbol's points nearest the side midpoints into the midpoint
// slots, exactly on the midpoints.
void NormalizeConnectPoints(LibraryHeader* header);
// Fetches every record so that a read-only library is held whole in memory.
ErrorCode LoadAllLibraryRecords(int store);
// Counts the file got wrong and that would index past the header or the
// store: false when the library cannot be used at all (the symbol count),
// otherwise the other counts are brought into range in memory.
bool SanitizeLibraryHeader(LibraryHeader* header);
void SanitizeLibraryView(LibraryViewBlock* view);

// Opens the file (for writing, else read-only), checks and upgrades its
// header. 0 with `opened` filled, 1 not a library, -1 a later version, or a
// store code; on failure nothing stays open.
ErrorCode OpenLibraryStore(const char* path, OpenedLibrary* opened);
// The view block of an opened library, made or widened when needed, with
// the connect points normalised once.
ErrorCode PrepareLibraryView(const OpenedLibrary& opened, RecordHandle* view);
// Writes an empty library into a new file; the file is deleted again when
// a step after its creation fails.
ErrorCode CreateEmptyLibrary(const char* path, int buttonSize);
// True when the file opens as a store whose record (200,0) has a known version.
BOOL IsLibraryFile(const char* path);
