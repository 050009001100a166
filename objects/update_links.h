// Letting what hangs on moved objects follow them.
#pragma once
#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Drops the links marked for removal, re-attaches every hooked end whose
// target moved (repeating while anything follows), brings structures pushed
// out of the drawing back inside and recomputes the groups whose links
// changed.
ErrorCode UpdateLinks(DrawingRecord* drawing);

// Finds the target and source of entry `entry` and the source's slot that
// names the target, refreshing all three hints. -1 when either is gone (the
// entry is then marked 0x02).
int ResolveLinkSlot(DrawingRecord* drawing, void* links, void* objects, int entry, int* source, int* target);
