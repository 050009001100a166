// What lies under a point of a drawing: the HitCode of handles and bodies,
// asked of groups and objects in the order that lets handles win.
#pragma once
#include <windows.h>

#include "common/rect_handle_point.h"
#include "objects/drawing_layout.h"

// HitCode values the view acts on.
enum HitCodeValue : int {
    kHitNone = 0,
    kHitLockedBody = 10,
    kHitLineStart = 28,
    kHitLineEnd = 29,
    kHitObjectBody = 40,
    kHitVerticalPart = 41,
    kHitHorizontalPart = 42,
    kHitNewObject = 43,
    kHitText = 44,
    kHitAttachmentMarker = 45,
    kHitRotateOffset = 100,
};

// toolCode: 10 pointer, 100 rotate, 17 text. `exclusion`: an ObjectIndexList
// of objects never hit, or none. `kind` is -1 for a group or nothing; `index`
// is written only on a hit (the object, or the group row).
int HitTestDrawing(HGLOBAL drawing, int x, int y, int toolCode, HGLOBAL exclusion, int* index, int* kind,
                   BOOL arraysOnly);
// The same on a drawing in hand.
int HitTestDrawingRecord(DrawingRecord* drawing, int x, int y, int toolCode, HGLOBAL exclusion, int* index,
                         int* kind, BOOL arraysOnly);

// The group member linked to an object outside the group, or -1.
int FindGroupMemberLinkedOutside(void* objectTable, int row);
