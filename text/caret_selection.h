// The caret and the selection of a text editor: positions built from text
// positions, the caret itself, the cursor keys, the current character
// format and scrolling the caret into the parent's view.
#pragma once
#include <windows.h>

#include "text/ten_arrays.h"
#include "text/ten_state.h"

extern int SelectionStateNotified;  // last TENN_SELCHANGE state, -1 at start
extern int ScriptSummary;           // last script summary posted, -9 at start

int FindLineOfPosition(int position, const TextLine* lines, int lineCount);
// Fills `caret` for a text position (shown at the start of the next line
// when it ends one line and begins another).
int MakeCaretPos(TenState* state, CaretPos* caret, int position, int* formatIndex);
int MakeCaretPosLocked(TenState* state, const TenArrays& arrays, CaretPos* caret, int position);
int RefreshCaretPositions(HWND window, TenState* state);
int ShowTenCaret(HWND window, TenState* state);
void HideTenCaret(HWND window, TenState* state);
// Cursor keys: Left (-1, 0), Right (1, 0), Up (0, -1), Down (0, 1), Home
// (-32767, 1), End (32767, 1), Ctrl+Home (-32767, -1), Ctrl+End (32767, -1).
int MoveCaret(HWND window, TenState* state, int dx, int dy, int word);

enum SyncCaretFlags : int {
    kSyncForce = 0x80,
    kSyncNoPost = 0x100,
    kSyncNoStore = 0x200,
};
void SyncCaretFormat(HWND window, TenState* state, int flags);
int IsWordBreakChar(int character, int fieldMode);
LONG ScrollCaretIntoView(HWND window, TenState* state, const TextLine* lines, const CaretPos* caret, int force);

// Word bounds: `back` moves to the start of its word, `forward` past its
// word (and its blanks with `skipBlanks`).
int ExtendToWordBounds(TenState* state, CaretPos* back, CaretPos* forward, int skipBlanks);
// Moves the free end of the selection, inverting only what changes.
void ExtendTenSelection(HWND window, TenState* state, const CaretPos& freeEnd, int paint, int force);
