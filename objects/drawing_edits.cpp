#include "objects/drawing_edits.h"

#include "objects/document_modified.h"
#include "objects/view_record.h"
#include "objects/document_undo.h"

void InvalidateLogicalRect(HWND window, const RECT* rect)
{
    if (!window)
        return;
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
