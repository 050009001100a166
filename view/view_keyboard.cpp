#include "view/view_keyboard.h"

#include "objects/view_record.h"
#include "common/results.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "text/ten_messages.h"
#include "common/edit_errors.h"
#include "view/edit_operations.h"
#include "view/object_text_edit.h"
#include "view/selection_access.h"
#include "documents/view_children.h"
#include "objects/view_record_word.h"
#include "documents/view_settings.h"

namespace {

const int kOperationClear = 5;
const int kOperationNudge = 37;
const int kTakesText = 4;
const int kCursorArrow = 0;
const int kCursorZoomIn = 10;
const int kCursorZoomOut = 11;

bool KeyHeld(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

void* ViewRecordOf(HWND view)
{
    HGLOBAL handle = GetViewRecordHandle(view);
    void* record = handle ? GlobalLock(handle) : nullptr;
    if (record)
        GlobalUnlock(handle);   // the view keeps its record in place
    return record;
}

void ShowZoomCursor(HWND view)
{
    ViewSettings settings{};
    const bool fit = ReadViewSettings(view, &settings) && InFitMode(settings);
    SetAppCursor(fit ? kCursorZoomIn : kCursorZoomOut);
}

void DrawingKeyDown(HWND view, int key)
{
    switch (key) {
    case VK_BACK:
    case VK_DELETE:
        DiscardError(DoEditOperation(view, kOperationClear, 0, nullptr), "the operation reports its own failure");
        break;
    case VK_SHIFT:
        if (KeyHeld(VK_CONTROL))
            ShowZoomCursor(view);
        break;
    case VK_CONTROL:
        if (KeyHeld(VK_SHIFT))
            ShowZoomCursor(view);
        break;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        DiscardError(DoEditOperation(view, kOperationNudge, key, nullptr), "the operation reports its own failure");
        break;
    default:
        break;
    }
}

bool TakesText(DrawingRecord* drawing, void* objects, int index)
{
    const DrawingObject* object = ObjectAt(objects, index);
    if (!(object->stateFlags & kStateSelected))
        return false;
    return (CallObjectKind(nullptr, drawing, objects, index, kMsgCommandBits) & kTakesText) != 0;
}

// The primary selected object first, then the others in table order; -1
// when no selected object takes text.
int TextTarget(HWND view, POINT* corner)
{
    HGLOBAL drawingHandle = ViewDrawingHandle(view);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return -1;
    int found = -1;
    {
        LockedTable table(drawing, kTableObjects);
        const int count = table.Count();
        const int primary = drawing->primarySelected;
        if (primary >= 0 && primary < count && TakesText(drawing, table.Refresh(), primary))
            found = primary;
        for (int i = 0; found < 0 && i < count; ++i)
            if (TakesText(drawing, table.Refresh(), i))
                found = i;
        if (found >= 0) {
            const RECT& inner = ObjectAt(table.Refresh(), found)->inner;
            *corner = POINT{inner.right, inner.bottom};
        }
    }
    GlobalUnlock(drawingHandle);
    return found;
}

void TypeIntoNewEditor(HWND view, HWND editor, int character, LPARAM lParam, POINT corner)
{
    SendMessageA(editor, WM_LBUTTONUP, 0, MAKELPARAM(corner.x, corner.y));
    SendMessageA(editor, TENM_SETSEL, 2, static_cast<LPARAM>(32000) << 16);
    if (character == 13)
        return;
    SendMessageA(editor, WM_CHAR, static_cast<WPARAM>(character), lParam);
    // Fast typing may already have queued the next characters for the view.
    MSG queued;
    while (PeekMessageA(&queued, view, WM_CHAR, WM_CHAR, PM_REMOVE | PM_NOYIELD))
        SendMessageA(editor, WM_CHAR, queued.wParam, queued.lParam);
}

} // namespace

void HandleViewKeyDown(HWND view, int key)
{
    if (!GetViewRecordHandle(view))
        return;
    if (ViewDrawingHandle(view))
        DrawingKeyDown(view, key);
    int code = -1;
    switch (key) {
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_END: code = SB_BOTTOM; break;
    case VK_HOME: code = SB_TOP; break;
    default: break;
    }
    if (code >= 0)
        SendMessageA(view, WM_VSCROLL, static_cast<WPARAM>(code), 0);
}

void HandleViewKeyUp(HWND view, int key)
{
    if (!GetViewRecordHandle(view) || !ViewDrawingHandle(view))
        return;
    if (key != VK_SHIFT && key != VK_CONTROL)
        return;
    const int cursor = CurrentCursorIndex;
    if (cursor == kCursorZoomIn || cursor == kCursorZoomOut)
        SetAppCursor(kCursorArrow);
}

void HandleViewChar(HWND view, int character, LPARAM lParam)
{
    if (character != 13 && (character < 32 || character == 127))
        return;
    void* record = ViewRecordOf(view);
    if (!record)
        return;
    HWND editor = ViewEditorOf(view);
    if (editor && GetFocus() == editor) {
        SendMessageA(editor, WM_CHAR, static_cast<WPARAM>(character), lParam);
        return;
    }
    POINT corner = {0, 0};
    const int index = TextTarget(view, &corner);
    if (index < 0)
        return;
    ReportEditError(BeginObjectText(view, record, index, corner.x, corner.y, 0));
    editor = ViewEditorOf(view);
    if (editor)
        TypeIntoNewEditor(view, editor, character, lParam, corner);
}
