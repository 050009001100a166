// Background Color: the page colour, with the labels that blanked the page
// out following it.
#include "common/edit_errors.h"
#include "common/window_helpers.h"
#include "documents/view_children.h"
#include "objects/color_table.h"
#include "objects/document_undo.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/edit_step.h"
#include "objects/kind_messages.h"
#include "objects/object_kind_table.h"
#include "objects/view_record_word.h"
#include "store/record_store.h"
#include "view/arrange_commands.h"
#include "view/end_text_edit.h"

namespace {

const COLORREF kNoColor = CLR_INVALID;
const COLORREF kWhite = RGB(255, 255, 255);
const int32_t kFillSolid = 1;
const int kFillEvenWithoutFill = 1;

COLORREF AsWhite(COLORREF color)
{
    return color == kNoColor ? kWhite : color;
}

COLORREF BackgroundFor(int index, COLORREF explicitColor)
{
    if (index < 0)
        return explicitColor;
    return index < kColorTableSize ? StandardColors()[index] : kNoColor;
}

// Labels filled with the page colour keep blanking the page out.
ErrorCode RecolourLabels(DrawingRecord* drawing, COLORREF oldPage, COLORREF newPage)
{
    ErrorCode code = kErrNone;
    LockedTable objects(drawing, kTableObjects);
    for (int i = 0; i < objects.Count() && code == kErrNone; ++i) {
        const DrawingObject* object = ObjectAt(objects.Refresh(), i);
        if (!(object->stateFlags & kStateAttached) || object->fillMode != kFillSolid || object->fillColor != oldPage)
            continue;
        InvalidateDrawingRect(drawing, &object->bounds);
        code = CallObjectKindCode(nullptr, drawing, objects.Refresh(), i, kMsgSetFillColor, kFillEvenWithoutFill, 0,
                                  reinterpret_cast<INT_PTR>(&newPage));
    }
    return code;
}

ErrorCode ChangeBackground(EditStep* step, COLORREF background)
{
    ErrorCode code = MarkRecordChanged(step->drawingHandle);
    if (code == kErrNone)
        code = MarkDrawingTableChanged(step->drawing, kTableObjects);
    if (code != kErrNone)
        return code;
    const COLORREF oldPage = AsWhite(step->drawing->style.backgroundColor);
    step->drawing->style.backgroundColor = background;
    return RecolourLabels(step->drawing, oldPage, AsWhite(background));
}

} // namespace

ErrorCode SetViewBackground(HWND view, int index, COLORREF color, int noStep)
{
    if (!view || !GetViewRecordHandle(view))
        return kErrNotDone;
    // Ending the edit reports its own failure.
    if (!noStep && EndTextEdit(view, 0) != kErrNone)
        return kErrNone;
    EditStep step;
    ErrorCode code = OpenEditStep(view, noStep ? kUndoStepNone : kUndoStepBackground, &step);
    if (code == kErrNone && !step.drawing) {
        ReleaseEditStep(&step);
        return kErrNone;
    }
    if (code == kErrNone)
        code = ChangeBackground(&step, BackgroundFor(index, color));
    if (noStep) {
        // The caller's step rolls back the whole change.
        if (code == kErrNone)
            MarkDrawingEdited(view, step.viewRecord, 1);
        ReleaseEditStep(&step);
        return code;
    }
    // A failure rolls the whole step back, as every other command does.
    CloseEditStep(&step, code, 1);
    if (code != kErrNone)
        ReportEditError(code);
    return code;
}

ErrorCode SetBackgroundColor(int index, COLORREF color, int noStep)
{
    HWND document = GetActiveDocWindow(nullptr);
    return SetViewBackground(document ? DocumentViewOf(document) : nullptr, index, color, noStep);
}
