#include "view/end_text_edit.h"

#include "objects/view_record.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "common/window_helpers.h"
#include "store/record_store.h"
#include "text/font_list.h"
#include "text/ten_messages.h"
#include "objects/document_undo.h"
#include "view/edit_operations.h"
#include "view/object_text_edit.h"
#include "objects/view_record_word.h"

namespace {

const int kUndoTypingStep = 2;

BOOL CALLBACK FindViewChild(HWND child, LPARAM found)
{
    char name[32] = {};
    GetClassNameA(child, name, sizeof(name));
    if (GetViewRecordHandle(child) && lstrcmpiA(name, "TENClass") != 0) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// The drawing view of the active document window.
HWND ActiveView()
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = nullptr;
    if (document)
        EnumChildWindows(document, FindViewChild, reinterpret_cast<LPARAM>(&view));
    return view;
}

// Marks the drawing record and the object table changed for the undo step.
ErrorCode MarkDrawingChanged(void* viewRecord)
{
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return kErrNoMemory;
    ErrorCode code = MarkRecordChanged(drawingHandle);
    HGLOBAL table = DrawingTableHandle(drawing, kTableObjects);
    if (code == kErrNone && table)
        code = MarkRecordChanged(table);
    GlobalUnlock(drawingHandle);
    return code;
}

} // namespace

ErrorCode EndTextEdit(HWND view, int selectMode)
{
    if (!view)
        view = ActiveView();
    HGLOBAL handle = view ? GetViewRecordHandle(view) : nullptr;
    auto* viewRecord = handle ? static_cast<ViewRecord*>(GlobalLock(handle)) : nullptr;
    if (!viewRecord)
        return kErrNone;
    HWND editor = GetViewTextEditor(viewRecord);
    if (!editor) {
        GlobalUnlock(handle);
        return kErrNone;
    }
    ErrorCode code = kErrNone;
    bool ended = false;
    if (SendMessageA(editor, TENM_GETMODIFY, 0, 0) != 0) {
        if (selectMode != -1)
            code = BeginDocumentUndo(view, kUndoTypingStep);
        if (code == kErrNone)
            code = MarkDrawingChanged(viewRecord);
        if (code == kErrNone) {
            ended = true;
            code = EndObjectText(view, viewRecord, 0, selectMode);
            if (code != kErrNone) {
                if (selectMode != -1)
                    DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
                InvalidateRect(view, nullptr, FALSE);
                viewRecord->flags |= kViewRepaintBuffered;
            } else if (selectMode != -1) {
                ClearDocumentUndo(view);
            }
        }
    }
    // The undo swap may have moved the view record.
    GlobalUnlock(handle);
    viewRecord = static_cast<ViewRecord*>(GlobalLock(handle));
    if (!viewRecord)
        return code;
    if (!ended)
        MarkObjectTextChanged(viewRecord, selectMode);
    viewRecord->textEditor = 0;
    GlobalUnlock(handle);
    DestroyWindow(editor);
    return code;
}

void SetDefaultTextAttr(HWND view, int selector, int value)
{
    HGLOBAL handle = view ? GetViewRecordHandle(view) : nullptr;
    auto* viewRecord = handle ? static_cast<ViewRecord*>(GlobalLock(handle)) : nullptr;
    if (!viewRecord)
        return;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (drawing) {
        switch (selector) {
        case 0:
            GetFontTableLogFont(GetViewFontList(viewRecord), GetViewFontTable(viewRecord), value, &drawing->textFont);
            break;
        case 1:
            drawing->textSize = value;
            break;
        case 2:
            drawing->textStyle = static_cast<uint32_t>(value);
            break;
        case 3:
            drawing->style.textColor = static_cast<COLORREF>(value);
            break;
        case 4:
            drawing->textStyle |= static_cast<uint32_t>(value);
            break;
        case 5:
            drawing->textStyle &= ~static_cast<uint32_t>(value);
            break;
        default:
            break;
        }
        GlobalUnlock(drawingHandle);
    }
    GlobalUnlock(handle);
}
