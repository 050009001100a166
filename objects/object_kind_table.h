// The object-kind table: every kind-specific operation on an object is a call
// of its kind's procedure with a message code and three message values.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// dc: a device context or none; drawing: the locked DrawingRecord (none for
// the table-free messages); table: the locked object table, or with index -1
// one detached DrawingObject. a, b and c are message-specific (c is usually a
// pointer). A kind returns 0 for every message it does not handle.
typedef int32_t(WINAPI* ObjectKindHandler)(HDC dc, void* drawing, void* table, int index, int message, INT_PTR a,
                                          INT_PTR b, INT_PTR c);

extern ObjectKindHandler ObjectKindTable[kObjectKindSlots];

// The frame fills the table at start-up (InitObjectKinds); this empties it.
void TermObjectKinds();

// Sends a message to the kind procedure of a kind; 0 for a kind outside 0..3
// or an empty slot. A caller holding pointers into the object table re-reads
// them afterwards: the kind may have grown the table.
int32_t CallKind(int kind, HDC dc, void* drawing, void* table, int index, int message, INT_PTR a = 0,
                 INT_PTR b = 0, INT_PTR c = 0);
// The same for the object at `index` of a locked table (or the detached record).
int32_t CallObjectKind(HDC dc, void* drawing, void* table, int index, int message, INT_PTR a = 0, INT_PTR b = 0,
                       INT_PTR c = 0);
// The same for the messages whose answer is an ErrorCode (an edit of the object).
ErrorCode CallKindCode(int kind, HDC dc, void* drawing, void* table, int index, int message, INT_PTR a = 0,
                       INT_PTR b = 0, INT_PTR c = 0);
ErrorCode CallObjectKindCode(HDC dc, void* drawing, void* table, int index, int message, INT_PTR a = 0,
                             INT_PTR b = 0, INT_PTR c = 0);
