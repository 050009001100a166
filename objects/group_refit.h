// Groups whose member changed its frame in an attribute change follow it: the
// group's frame grows and moves with the member, then the whole group is
// rescaled once the drawing is let go.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

struct GroupRescale {
    int row;
    RECT rect;
};

const int kMostPendingGroups = 16;

struct PendingGroupRefits {
    GroupRescale rows[kMostPendingGroups];
    int count = 0;
};

// When `object` (a group member) no longer has the frame `before`, notes its
// group's new frame and puts the member's frame back for the rescale; each
// group once.
void NoteGroupRefit(DrawingRecord* drawing, DrawingObject* object, const RECT& before, PendingGroupRefits* pending);

// Rescales the noted groups inside the view's open step. Nothing of the
// drawing may be locked; a failure has already rolled the step back.
ErrorCode ApplyGroupRefits(HWND view, const PendingGroupRefits& pending);
