// Reaching the drawing of a view, of the active document, and the view's
// device context as selection changes and trackings draw into it.
#pragma once
#include <windows.h>

#include "objects/drawing_layout.h"

// The DrawingRecord handle of a view, none without view record or drawing.
HGLOBAL ViewDrawingHandle(HWND view);
// The drawing of the active document window's view.
HGLOBAL ActiveDrawingHandle();

// The view's device context with its window origin at 0,0 and the client
// area in drawing units, for XOR handles and feedback.
class ViewDrawingDC {
public:
    explicit ViewDrawingDC(HWND view);
    ~ViewDrawingDC();
    ViewDrawingDC(const ViewDrawingDC&) = delete;
    ViewDrawingDC& operator=(const ViewDrawingDC&) = delete;

    HDC dc() const { return dc_; }
    const RECT& clip() const { return clip_; }

private:
    HWND view_ = nullptr;
    HDC dc_ = nullptr;
    POINT oldOrigin_ = {0, 0};
    RECT clip_ = {0, 0, 0, 0};
};

// The object table's entry of a group's proxy shape: a rectangle with the
// group's bounds, frame, rotation and sizing constraint.
DrawingObject MakeGroupProxy(const GroupEntry* row, bool selected);
