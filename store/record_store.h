// Layer 3, store/: the record store; uses only common/ and resources/.

// The record store: a paged, file-backed database of variable-size records,
// each named by a group and an id (both signed 16-bit), with undo checkpoints,
// compaction and verification. A store is named by its slot index in the store
// table. Every operation returns an ErrorCode: 0, a store code
// (store/store_errors.h), or 10003 (file), 10004 (memory), 10006 (disk full).
//
// A RecordHandle is the record's movable global memory block: its first 16
// bytes are the RecordHeader, the payload follows. Lock it with GlobalLock to
// read or write the payload; call MarkRecordChanged before changing it (or
// SetRecordDirty when no undo copy is wanted) and ReleaseRecord when done. The
// store owns the block: never free a handle from FindRecord or CreateRecord,
// except after DeleteRecordByHandle or DetachRecord handed it to you.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "store/store_errors.h"
#include "store/store_format.h"

typedef HGLOBAL RecordHandle;

// Creation parameters the program uses.
const int kStoreShift = 6;
const int kDocumentMapCapacity = 200;  // working stores and the clipboard scratch store
const int kLibraryMapCapacity = 50;    // symbol library files
const int kStoreTableSlots = 100;

// ---- The store table and store files ----

ErrorCode InitRecordStore(int slotCount);
void TermRecordStore();
// 8 when out of range, 9 when the slot is not open.
ErrorCode CheckStoreIndex(int store);

// Creates (or reuses, without truncating) the named file and writes an empty
// store into it; the store is not opened. The file is deleted when writing fails.
ErrorCode CreateStoreFile(const char* name, LONG baseOffset, int shift, int capacity);
// Writes an empty store into an open file; 1 for a shift outside 0..10.
ErrorCode WriteNewStore(HFILE file, LONG baseOffset, int shift, int capacity);
// WriteNewStore, then OpenStore on the same file for reading and writing.
ErrorCode CreateStoreInFile(HFILE file, int* store, LONG baseOffset, int shift, int capacity);
// Opens a store into the first free slot, from a file name or (name null) an
// open file. secondWord gets the header's second word (always -1). A store
// opened by name for writing commits its changes whole: until a flush
// succeeds they can be rolled back, and an open by name first rolls back what
// a writer left unfinished (the journal beside the file).
ErrorCode OpenStore(const char* name, HFILE file, int* store, LONG baseOffset, int* secondWord, BOOL readOnly);
ErrorCode OpenStoreByName(const char* name, int* store, LONG baseOffset, int* secondWord, BOOL readOnly);
ErrorCode OpenStoreInFile(HFILE file, int* store, LONG baseOffset, int* secondWord);
// Writes every changed block and the header; with release every loaded block
// is freed too (handles from earlier lookups become invalid).
ErrorCode FlushStore(int store, BOOL release);
// Flush with release, close the file (also one the caller opened), free the
// slot. When the flush fails the store stays open: retry, or AbandonStore.
ErrorCode CloseStore(int store);
// Closes without writing anything: changes since the last flush are lost (for
// a store opened by name they are rolled back at its next open).
void AbandonStore(int store);
// CloseStore, and AbandonStore when it fails: for callers that cannot retry.
ErrorCode CloseOrAbandonStore(int store);
// Removes a journal left beside a file that is about to be made anew: its old
// bytes belong to a file that is gone. CreateStoreFile does this itself.
ErrorCode DeleteStoreJournal(const char* storePath);
// Puts back the last committed state of a store file whose writer stopped
// part-way; OpenStore does this itself.
ErrorCode RollBackStoreJournal(const char* storePath);
// Frees the slot only: nothing is written or closed.
void ForgetStore(int store);
ErrorCode GetStoreFileHandle(int store, HFILE* file);

// ---- Records and groups ----

ErrorCode FindRecord(int store, short group, short id, RecordHandle* handle);
// size in bytes, the 16-byte header included; the payload starts zeroed.
ErrorCode CreateRecord(int store, short group, short id, DWORD size, RecordHandle* handle);
ErrorCode CreateGroup(int store, short group);
// Deletes a group with all its records (undoable while a checkpoint is open).
ErrorCode DeleteGroup(int store, short group);
ErrorCode MarkRecordChanged(RecordHandle handle);
ErrorCode SetRecordDirty(RecordHandle handle);
// Ends a use of the record; the handle stays valid and nothing can fail.
void ReleaseRecord(RecordHandle handle);
// Changes the size (header included); the handle may change. Grown space is
// zeroed. No before-image is kept: call MarkRecordChanged first for undo.
ErrorCode ResizeRecord(RecordHandle* handle, DWORD size);
// Removes the record from its store; on success the memory block is the
// caller's to free.
ErrorCode DeleteRecordByHandle(RecordHandle handle);
ErrorCode FindFreeId(int store, short group, short* id);
ErrorCode FindFreeIdRun(int store, short group, int count, short* id);
ErrorCode CountGroups(int store, int* count);
ErrorCode GetGroupIdAt(int store, int index, short* group);
ErrorCode CountGroupRecords(int store, short group, int* count);
ErrorCode GetGroupRecordId(int store, short group, int index, short* id);
// Writes the record if changed and drops its block from the index; the block
// becomes the caller's, the record stays in the store's file.
ErrorCode DetachRecord(RecordHandle handle);
// Makes a memory block (header room included) the new record (group, id).
// On success the block belongs to the store.
ErrorCode AttachRecordBlock(int store, short group, short id, HGLOBAL block);

// ---- Record headers and payloads ----

ErrorCode GetRecordHeader(RecordHandle handle, int* store, short* parent, short* key, LONG* offset, DWORD* size,
                          WORD* flags);
ErrorCode CheckRecordSize(RecordHandle handle, DWORD* size);
DWORD QueryRecordSize(RecordHandle handle);
ErrorCode SetRecordInUse(RecordHandle handle, BOOL on);
// Copies size - 16 payload bytes from one record into another.
ErrorCode CopyRecordPayload(RecordHandle source, RecordHandle target, DWORD size);
// The record's payload into a plain block, when the block is large enough.
ErrorCode CopyRecordToBlock(RecordHandle record, HGLOBAL block);
// The record's size - 16 bytes from a plain block into its payload.
ErrorCode CopyBlockToRecord(HGLOBAL block, RecordHandle record);
ErrorCode CopyBytesToRecord(HGLOBAL block, RecordHandle record, DWORD count);

// ---- Checkpoints (undo and redo) ----

ErrorCode BeginCheckpoint(int store);
ErrorCode CommitCheckpoint(int store);
// Undo or redo; keep leaves the checkpoint open for the next swap.
ErrorCode SwapCheckpoint(int store, BOOL keep);
// 1 when a checkpoint is open, else 0 (also for a bad index).
int IsCheckpointOpen(int store);

// ---- Compaction and verification (stores at base offset 0) ----

ErrorCode CompactStore(int store);
ErrorCode VerifyStore(int store);
ErrorCode VerifyFreeMap(int store);
