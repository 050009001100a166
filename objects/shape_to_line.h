// Shape to Line ("Edit Shape Outline"): the selected shape broken into line
// objects that trace its outline.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// 0 done (or, dry, convertible); 1 nothing suitable selected; -1 the shape
// holds a picture (the dry run has said so); else an ErrorCode. The real run
// belongs inside the caller's undo step with the tables marked changed.
ErrorCode ShapeToLines(HWND view, DrawingRecord* drawing, int dryRun);
// The dry run with its notices; nonzero when the command is to be carried out.
int ShapeToLineCommand(HWND view, DrawingRecord* drawing);
