// The bookkeeping every edit of a drawing shares: invalidating in drawing
// units, marking the document edited, cancelling the view's open step.
#pragma once
#include <windows.h>

#include "common/error_codes.h"
#include "objects/drawing_layout.h"

// Invalidates a rectangle given in drawing units (or, with none, the whole
// window) without erasing.
void InvalidateLogicalRect(HWND window, const RECT* rect);
// While one lives, invalidations in drawing units gather into one rectangle
// per batch that reaches the window when the outermost batch ends: an edit of
// thousands of objects then costs the window system one call, not several
// per object.
class InvalidationBatch {
public:
    InvalidationBatch();
    ~InvalidationBatch();
    InvalidationBatch(const InvalidationBatch&) = delete;
    InvalidationBatch& operator=(const InvalidationBatch&) = delete;
};
// The view window the drawing's invalidations go to.
HWND DrawingViewWindow(const DrawingRecord* drawing);
// Invalidates a drawing-unit rectangle of the drawing's view.
void InvalidateDrawingRect(const DrawingRecord* drawing, const RECT* rect);

// After a successful edit: document modified, optionally a full repaint, and
// the next paint through the back buffer.
void MarkDrawingEdited(HWND view, void* viewRecord, int repaintAll);
// Rolls the view's open undo step back and forgets it; returns 0.
ErrorCode CancelDrawingEdit(HWND view);
