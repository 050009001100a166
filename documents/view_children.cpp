#include "documents/view_children.h"

#include "objects/view_record.h"
#include "objects/view_record_word.h"

namespace {

HWND NextSibling(HWND window, int steps)
{
    for (int i = 0; window && i < steps; ++i)
        window = GetWindow(window, GW_HWNDNEXT);
    return window;
}

} // namespace

HWND DocumentViewOf(HWND document) { return document ? GetWindow(document, GW_CHILD) : nullptr; }
HWND HorizontalRulerOf(HWND view) { return NextSibling(view, 1); }
HWND VerticalRulerOf(HWND view) { return NextSibling(view, 2); }
HWND CornerBoxOf(HWND view) { return NextSibling(view, 3); }
HWND DockedBarOf(HWND view) { return NextSibling(view, 4); }

HWND RulerViewOf(HWND ruler)
{
    HWND parent = ruler ? GetParent(ruler) : nullptr;
    return parent ? GetWindow(parent, GW_CHILD) : nullptr;
}

HWND ViewEditorOf(HWND view)
{
    HWND child = view ? GetWindow(view, GW_CHILD) : nullptr;
    char className[32] = "";
    if (!child || !GetClassNameA(child, className, sizeof(className)))
        return nullptr;
    return lstrcmpiA(className, "TENClass") == 0 ? child : nullptr;
}

ViewRecord* LockViewRecord(HWND view)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    return handle ? static_cast<ViewRecord*>(GlobalLock(handle)) : nullptr;
}

void ReleaseViewRecord(HWND view)
{
    if (HGLOBAL handle = GetViewRecordHandle(view))
        GlobalUnlock(handle);
}
