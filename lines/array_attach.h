// Objects hanging on array branches: keeping the branch list in step with the
// hanging objects' link slots, their anchor codes and ordinals.
#pragma once
#include "lines/array_record.h"

// Message 79: a = the id whose link changed (0xFFFF: something moved, the
// layout becomes pending), b = its slot (negative: detach), c = its index.
ErrorCode UpdateBranchAttachment(DrawingRecord* drawing, void* table, int index, int32_t a, int b, int c);
// The anchor code (305..308) for an object on branch ordinal n, 0 when the
// object's kind cannot hang on a branch.
int GetBranchAnchorCode(const DrawingObject* array, const DrawingObject* object, const ArrayBranchHead* list, int n);
// The anchor rule without the capability test.
int BranchAnchorFor(const DrawingObject* array, const ArrayBranchHead* list, int n);
// Sets (delta 0, ordinal >= 0), shifts (delta != 0) or keeps (delta 0,
// ordinal -1) the ordinal in the hanging object's slot on the array, then
// refreshes its anchor code.
void RenumberBranchLink(void* table, const DrawingObject* array, const ArrayBranchHead* list, ArrayBranchEntry* entry,
                        int delta, int ordinal);
