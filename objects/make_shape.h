// Make Shape: the selected lines joined end to end into one freeform shape.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Ends closer than this in both directions meet.
const int kEndsMeetTolerance = 30;

// The selected lines form no one closed chain.
constexpr ErrorCode kErrNoClosedChain{-1};

// 0 done (or, dry, possible); kErrNotDone the selection is not two or more
// joinable lines; kErrNoClosedChain they form no one closed chain; else an
// ErrorCode. The real run
// belongs inside the caller's undo step with the tables marked changed.
ErrorCode MakeShapeFromLines(DrawingRecord* drawing, int dryRun);
// The dry run with its notices; nonzero when the command is to be carried out.
int MakeShapeCommand(DrawingRecord* drawing);
int EndsMeet(int x1, int y1, int x2, int y2);
// Reconciles the chain's last vertex with `point` (an end of the line being
// joined, whose neighbour on that line is (nx, ny)), keeping axis-parallel
// segments on either side of the joint axis-parallel.
void JoinChainEnd(void* outline, POINT* point, int nx, int ny);
