// The document window: an MDI child holding the view, the rulers and the
// corner box.
#include "view/view_windows.h"

#include "common/results.h"
#include "common/tool_tips.h"
#include "common/window_helpers.h"
#include "documents/document_commands.h"
#include "documents/document_record.h"
#include "documents/document_window_hooks.h"
#include "view/paint_view.h"
#include "documents/view_children.h"
#include "view/view_layout.h"

namespace {

void OnSize(HWND document, WPARAM type)
{
    if (type == SIZE_RESTORED || type == SIZE_MAXIMIZED)
        DiscardError(RelayoutDocumentWindow(document), "a window left at its old layout still works");
}

void OnPaint(HWND document)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(document, &paint);
    PaintDocumentMargins(document, dc, &paint.rcPaint);
    EndPaint(document, &paint);
}

void OnMdiActivate(HWND document, LPARAM activated)
{
    const bool activating = reinterpret_cast<HWND>(activated) == document;
    FrameCalls.activateView(document, activating ? 1 : 0);
    // Keys go to the view of the document being activated.
    HWND view = DocumentViewOf(document);
    if (activating && view)
        SetFocus(view);
}

bool OnClose(HWND document)
{
    if (QuerySaveDocument(document, FALSE) == IDCANCEL)
        return false;
    SetAppCursor(1);
    PrepareDocumentClose(document);
    return true;
}

} // namespace

LRESULT CALLBACK SEDocument(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        OnSize(window, wParam);
        break;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_ACTIVATE:
        if (HWND view = DocumentViewOf(window))
            SendMessageA(view, WM_ACTIVATE, wParam, lParam);
        return 0;
    case WM_MDIACTIVATE:
        OnMdiActivate(window, lParam);
        return 0;
    case WM_SETFOCUS:
        if (HWND view = DocumentViewOf(window))
            SetFocus(view);
        return 0;
    case WM_SETCURSOR:
        HideToolTip();
        break;
    case WM_CLOSE: {
        if (!OnClose(window))
            return 0;
        const LRESULT result = DefMDIChildProcA(window, message, wParam, lParam);
        // The last document gone, the menus grey what needs one.
        if (!GetActiveDocWindow(nullptr))
            FrameCalls.activateView(nullptr, 0);
        return result;
    }
    case WM_DESTROY:
        DestroyDocumentData(window);
        break;
    default:
        break;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
