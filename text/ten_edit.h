// Changing an editor's text: inserting typed or pasted bytes and formatted
// blocks, deleting ranges, Backspace and Delete, and the one-level undo.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "text/ten_state.h"

// An insertion would make the text longer than 32767 bytes.
constexpr ErrorCode kErrTextTooLong{5001};

// Undo kinds this engine takes itself.
enum TenUndoKind : int {
    kUndoTyping = 2,
    kUndoDelete = 4,
    kUndoPaste = 8,
    kUndoSnapshot = 32,   // taken without telling the parent
};

// Apply flags of the editing operations.
enum TenApplyFlags : int {
    kApplyLayout = 1,
    kApplyRepaint = 2,
    kApplyMoveSelection = 0x200,
    kApplyUndoStep = 0x800,
};

ErrorCode SaveTenUndo(HWND window, TenState* state, int kind);
ErrorCode CopyBlockInto(HGLOBAL* destination, HGLOBAL source);
void RevertTenUndo(TenState* state);
// Undo and redo in turn: swaps the held step with the live text.
int UndoTenStep(HWND window, TenState* state);
// 1 when a CR was among the deleted bytes.
int DeleteTenRange(TenState* state, CaretPos from, CaretPos to);
ErrorCode InsertTenChars(TenState* state, const char* bytes, int count, int* paragraphSplit, int* nothingInserted,
                         int typed);
// `block` of `blockSize` bytes; its counts are checked before it is used.
ErrorCode InsertTenBlock(TenState* state, const void* block, SIZE_T blockSize, int flags);
// Bytes (count > 0) or a text block (count 0, `blockSize` its size).
ErrorCode InsertTenText(HWND window, const void* data, int count, int flags, SIZE_T blockSize = 0);
ErrorCode EditTenChar(HWND window, int key, int flags);
