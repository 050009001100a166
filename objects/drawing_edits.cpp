#include "objects/drawing_edits.h"

#include "objects/document_modified.h"
#include "objects/view_record.h"
#include "objects/document_undo.h"

namespace {

struct PendingInvalidation {
    int depth = 0;
    HWND window = nullptr;
    bool whole = false;
    RECT united = {0, 0, 0, 0};
};

PendingInvalidation Pending;

void InvalidateNow(HWND window, const RECT* rect);

// Gathers into the open batch; false when the rectangle must go out now.
bool Gather(HWND window, const RECT* rect)
{
    if (Pending.depth == 0)
        return false;
    if (Pending.window && Pending.window != window) {
        // Another window's: the gathered ones go first, in order.
        InvalidateNow(Pending.window, Pending.whole ? nullptr : &Pending.united);
        Pending.window = nullptr;
    }
    if (!Pending.window) {
        Pending.window = window;
        Pending.whole = false;
        SetRectEmpty(&Pending.united);
    }
    if (!rect) {
        Pending.whole = true;
        return true;
    }
    // An empty rectangle still repaints a line of pixels, as it does alone.
    RECT widened = *rect;
    if (widened.right <= widened.left)
        widened.right = widened.left + 1;
    if (widened.bottom <= widened.top)
        widened.bottom = widened.top + 1;
    UnionRect(&Pending.united, &Pending.united, &widened);
    return true;
}

void InvalidateNow(HWND window, const RECT* rect)
{
    if (!rect) {
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    // The view's own device context carries its mapping mode.
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    HDC dc = GetDC(window);
    if (dc) {
        LPtoDP(dc, corners, 2);
        ReleaseDC(window, dc);
    }
    RECT pixels = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    if (pixels.left == pixels.right) {
        --pixels.left;
        ++pixels.right;
    }
    if (pixels.top == pixels.bottom) {
        --pixels.top;
        ++pixels.bottom;
    }
    InvalidateRect(window, &pixels, FALSE);
}

} // namespace

InvalidationBatch::InvalidationBatch()
{
    ++Pending.depth;
}

InvalidationBatch::~InvalidationBatch()
{
    if (--Pending.depth > 0 || !Pending.window)
        return;
    HWND window = Pending.window;
    Pending.window = nullptr;
    InvalidateNow(window, Pending.whole ? nullptr : &Pending.united);
}

void InvalidateLogicalRect(HWND window, const RECT* rect)
{
    if (!window || Gather(window, rect))
        return;
    InvalidateNow(window, rect);
}

HWND DrawingViewWindow(const DrawingRecord* drawing)
{
    return drawing ? static_cast<HWND>(LongToHandle(static_cast<LONG>(drawing->viewWindow))) : nullptr;
}

void InvalidateDrawingRect(const DrawingRecord* drawing, const RECT* rect)
{
    InvalidateLogicalRect(DrawingViewWindow(drawing), rect);
}

void MarkDrawingEdited(HWND view, void* viewRecord, int repaintAll)
{
    SetDocumentModified(viewRecord);
    if (repaintAll && view)
        InvalidateRect(view, nullptr, FALSE);
    if (viewRecord)
        WriteViewField(viewRecord, kViewFlags,
                       static_cast<int32_t>(static_cast<uint32_t>(ReadViewField(viewRecord, kViewFlags)) |
                                            kViewRepaintBuffered));
}

ErrorCode CancelDrawingEdit(HWND view)
{
    return SwapDocumentUndo(view, 0);
}
