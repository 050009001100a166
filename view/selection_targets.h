// What Align and Make Same Size measure: the target (the primary selected
// object, or its group) and the objects that move or size against it.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

struct SelectionTarget {
    int primary = -1;
    int row = -1;            // the target's group row, or -1
    int32_t key = 0;         // its key; members of it never move
    RECT frame = {0, 0, 0, 0};
};

// False without a primary selection or with fewer than two selected.
bool FindSelectionTarget(DrawingRecord* drawing, SelectionTarget* target);

// Whether object `index` is one of those the command moves or sizes: selected,
// not the primary, not in the target's group; `hookedLimit` is the number of
// link slots from which an object is skipped.
bool IsArrangedObject(void* objects, int index, const SelectionTarget& target, int hookedLimit);

// The frame an object lines up by: its group's frame, else its laid-out frame.
RECT ArrangeFrame(DrawingRecord* drawing, int index, int* row);
