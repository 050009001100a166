// The arithmetic of the arrange commands, apart from any drawing so that it
// can be checked on its own.
#pragma once
#include <windows.h>

#include <cstdint>

// The keys of a table with no rows: the scan starts from these.
const uint32_t kNoSmallestKey = 0xFFFFFFFFu;
const uint32_t kNoLargestKey = 0;

// The key of a new group: one below the smallest when that stays a key of its
// own, else one above the largest (an empty table gives 1).
int32_t NextGroupKey(uint32_t smallest, uint32_t largest);

// The first key of the block that copies of `rows` group rows take (a copy of
// row i takes base + i). The block lies wholly below the smallest key or
// wholly above the largest, so no copy takes a key already in use.
int32_t DuplicateKeyBase(uint32_t smallest, uint32_t largest, int rows);

// Cuts the duplicate step so that the copies' united frame stays inside a
// drawing of width x height.
void ClampDuplicateStep(const RECT& united, int width, int height, int* dx, int* dy);

enum AlignMode : int {
    kAlignLefts = 0,
    kAlignRights = 1,
    kAlignCentres = 2,
    kAlignTops = 3,
    kAlignMiddles = 4,
    kAlignBottoms = 5,
};

// The offset that aligns rectangle `object` to `target` in a mode.
POINT AlignOffset(int mode, const RECT& target, const RECT& object);

// The gap between neighbours that spaces `count` items evenly, from the first
// near edge, the furthest far edge and the sum of the items' extents.
int EvenGap(int firstNear, int furthestFar, int totalExtent, int count);

// A proportional item of size (w, h) made the target's width (widthAsked) or
// height: the new size; false when it would leave an area of limitW x limitH.
bool ProportionalSize(int w, int h, int dw, int dh, bool widthAsked, int limitW, int limitH, int* newW, int* newH);

// The frame of an item mirrored inside its group's frame: the offset that
// moves it there (horizontal or vertical).
int MirrorOffset(int groupNear, int groupFar, int itemNear, int itemFar);

// Grows the right and bottom of a frame by (dx, dy) under a sizing
// constraint (1 width only, 2 height only, 3 keep the aspect).
void GrowUnderConstraint(RECT* frame, int constraint, int dx, int dy);
