#include "ole/active_drawing_view.h"

#include "common/window_helpers.h"
#include "documents/view_children.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"

HWND ActiveDrawingView()
{
    HWND view = DocumentViewOf(GetActiveDocWindow(nullptr));
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    if (!viewRecord)
        return nullptr;
    const bool drawing = GetViewDrawingHandle(viewRecord) != nullptr;
    GlobalUnlock(viewHandle);
    return drawing ? view : nullptr;
}
