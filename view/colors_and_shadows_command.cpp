// Colors and Shadows: the drawing takes a style of the list (or its own,
// edited) and every object follows it in one undo step.
#include "view/arrange_commands.h"

#include <cstring>
#include <initializer_list>

#include "common/results.h"
#include "common/window_helpers.h"
#include "documents/document_window_hooks.h"
#include "documents/view_children.h"
#include "objects/document_colors.h"
#include "objects/document_modified.h"
#include "objects/document_palette.h"
#include "objects/document_undo.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_layout.h"
#include "objects/drawing_tables.h"
#include "objects/group_refit.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/update_links.h"
#include "objects/view_record.h"
#include "objects/view_record_word.h"
#include "store/record_store.h"
#include "text/object_text_messages.h"
#include "view/end_text_edit.h"

namespace {

const int kUndoStepStyleChange = 32;
const int kDiskOrMemoryWarning = 17;

struct StyleAnswers {
    ColorStyle style;
    bool toFills;
    bool toLines;
};

ErrorCode Send(DrawingRecord* drawing, LockedTable& objects, int index, int message, const void* record)
{
    const ErrorCode code = CallObjectKindCode(nullptr, drawing, objects.Get(), index, message, 0, 0,
                                              reinterpret_cast<INT_PTR>(record));
    objects.Refresh();
    return code;
}

ErrorCode RecolourObject(DrawingRecord* drawing, LockedTable& objects, int index, const StyleAnswers& answers)
{
    const ColorStyle& style = answers.style;
    ErrorCode code = kErrNone;
    if (answers.toFills)
        code = Send(drawing, objects, index, kMsgSetFillColor, &style.fillColor);
    if (code == kErrNone && answers.toLines)
        code = Send(drawing, objects, index, kMsgSetOutlineColor, &style.borderColor);
    if (code == kErrNone && answers.toLines)
        code = Send(drawing, objects, index, kMsgSetLineColor, &style.lineColor);
    if (code == kErrNone)
        code = Send(drawing, objects, index, kMsgShadowSchemeChanged, nullptr);
    if (code == kErrNone && answers.toFills && ObjectAt(objects.Get(), index)->textRecordId >= 0) {
        TextAttributeRequest request = {};
        request.color = style.textColor;
        code = Send(drawing, objects, index, kMsgTextColor, &request);
    }
    return code;
}

ErrorCode RecolourDrawing(HGLOBAL drawingHandle, DrawingRecord* drawing, const StyleAnswers& answers,
                          PendingGroupRefits* pending)
{
    ErrorCode code = MarkRecordChanged(drawingHandle);
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder})
        if (code == kErrNone)
            code = MarkDrawingTableChanged(drawing, table);
    if (code != kErrNone)
        return code;
    // The page colour changes last, with the labels that blank the page out.
    const COLORREF page = drawing->style.backgroundColor;
    drawing->style = answers.style;
    drawing->style.backgroundColor = page;
    for (int i = 0; code == kErrNone; ++i) {
        LockedTable objects(drawing, kTableObjects);
        if (!objects.Get() || i >= objects.Count())
            break;
        const RECT before = ObjectAt(objects.Get(), i)->frame;
        code = RecolourObject(drawing, objects, i, answers);
        if (code == kErrNone)
            NoteGroupRefit(drawing, ObjectAt(objects.Refresh(), i), before, pending);
    }
    return code;
}

// Groups, page colour and links follow the recoloured objects; nothing of the
// drawing is locked here.
ErrorCode FollowRecolouring(HWND view, void* viewRecord, const StyleAnswers& answers,
                            const PendingGroupRefits& pending)
{
    ErrorCode code = ApplyGroupRefits(view, pending);
    if (code == kErrNone)
        code = SetViewBackground(view, -1, answers.style.backgroundColor, 1);
    if (code != kErrNone)
        return code;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return kErrNoMemory;
    code = UpdateLinks(drawing);
    GlobalUnlock(drawingHandle);
    return code;
}

bool AskStyle(void* viewRecord, StyleAnswers* answers)
{
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return false;
    answers->style = drawing->style;
    GlobalUnlock(drawingHandle);
    HPALETTE palette = reinterpret_cast<HPALETTE>(static_cast<INT_PTR>(ReadViewField(viewRecord, kViewPalette)));
    int toFills = 0;
    int toLines = 0;
    if (!FrameCalls.editColorStyle(drawingHandle, &answers->style, palette, &toFills, &toLines))
        return false;
    answers->toFills = toFills != 0;
    answers->toLines = toLines != 0;
    return true;
}

ErrorCode ApplyStyle(HWND view, void* viewRecord, const StyleAnswers& answers)
{
    if (ReadViewField(viewRecord, kViewTextEditor) != 0 && EndTextEdit(view, 0) != kErrNone)
        return kErrNone;
    ErrorCode code = BeginDocumentUndo(view, kUndoStepStyleChange);
    if (code != kErrNone)
        return code;
    HGLOBAL drawingHandle = GetViewDrawingHandle(viewRecord);
    auto* drawing = drawingHandle ? static_cast<DrawingRecord*>(GlobalLock(drawingHandle)) : nullptr;
    if (!drawing)
        return kErrNoMemory;
    SetAppCursor(1);
    PendingGroupRefits pending;
    code = RecolourDrawing(drawingHandle, drawing, answers, &pending);
    GlobalUnlock(drawingHandle);
    if (code == kErrNone)
        code = FollowRecolouring(view, viewRecord, answers, pending);
    MarkDrawingEdited(view, viewRecord, 1);
    if (code == kErrNone) {
        CollectDocumentColors(viewRecord, 0);
        code = RealizeDocumentPalette(view, viewRecord);
    }
    SetAppCursor(0);
    return code;
}

} // namespace

ErrorCode ApplyColorStyle(HWND view, const ColorStyle& style, bool toFills, bool toLines)
{
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    if (!viewRecord)
        return kErrNotDone;
    const StyleAnswers answers = {style, toFills, toLines};
    const ErrorCode code = ApplyStyle(view, viewRecord, answers);
    GlobalUnlock(viewHandle);
    if (code != kErrNone) {
        WarnById(kDiskOrMemoryWarning);
        DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
    }
    return code;
}

int ApplyColorsAndShadows()
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    HGLOBAL viewHandle = view ? GetViewRecordHandle(view) : nullptr;
    void* viewRecord = viewHandle ? GlobalLock(viewHandle) : nullptr;
    if (!viewRecord)
        return 0;
    StyleAnswers answers;
    const bool chosen = AskStyle(viewRecord, &answers);
    GlobalUnlock(viewHandle);
    return chosen ? ApplyColorStyle(view, answers.style, answers.toFills, answers.toLines).value : 0;
}
