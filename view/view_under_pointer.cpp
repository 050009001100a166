#include "view/view_under_pointer.h"

#include "common/window_helpers.h"
#include "documents/view_children.h"
#include "objects/view_record_word.h"
#include "view/selection_access.h"

HWND ActiveViewUnderPointer(POINT* client)
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view || !GetViewRecordHandle(view) || !ViewDrawingHandle(view))
        return nullptr;
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(view, &pointer);
    RECT area;
    GetClientRect(view, &area);
    if (!PtInRect(&area, pointer))
        return nullptr;
    *client = pointer;
    return view;
}
