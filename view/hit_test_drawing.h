// What lies under a point of a drawing: the HitCode of handles and bodies,
// asked of groups and objects in the order that lets handles win.
#pragma once
#include <windows.h>

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

// SideCode: 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right, 5 top,
// 6 bottom, 7 left, 8 right.
enum SideCodeValue : int {
    kSideCodeTopLeft = 1,
    kSideCodeTopRight = 2,
    kSideCodeBottomLeft = 3,
    kSideCodeBottomRight = 4,
    kSideCodeTop = 5,
    kSideCodeBottom = 6,
    kSideCodeLeft = 7,
    kSideCodeRight = 8,
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
// The SideCode of a point on a rectangle's outline (6 for any other point).
int GetSideCodeOfPoint(const RECT* rect, int x, int y);
