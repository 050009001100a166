#include "view/edit_operations.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "common/info_dialog.h"
#include "common/results.h"
#include "objects/app_options.h"
#include "objects/document_modified.h"
#include "objects/view_record.h"
#include "objects/document_palette.h"
#include "objects/drawing_edits.h"
#include "objects/drawing_tables.h"
#include "objects/make_shape.h"
#include "objects/object_delete.h"
#include "objects/shape_to_line.h"
#include "objects/picture_place.h"
#include "objects/placeable_metafile.h"
#include "objects/paste_menu_text.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"
#include "view/clipboard_copy.h"
#include "view/clipboard_paste.h"
#include "lines/line_attributes.h"
#include "objects/selection_attributes.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "common/edit_errors.h"
#include "view/selection_command_report.h"
#include "view/end_text_edit.h"
#include "view/arrange_selection.h"
#include "view/view_layout.h"
#include "resources/resource_ids.h"
#include "objects/view_record_word.h"
#include "objects/kind_messages.h"
#include "documents/document_window_hooks.h"
#include "documents/view_options.h"
#include "view/selection_access.h"

namespace {

const uint32_t kAnyObject = 0x0001;
const uint32_t kTakesText = 0x0004;
const uint32_t kTextBoxOrPicture = 0x0100;
const uint32_t kKeepsColours = 0x0001;
const int kShapeSizingHelpTopic = 30035;
const int kShapeAttributes = 28;
const int kLineAttributes = 38;
const int kNoArrowSize = -1;
const uint32_t kLineLike = 0x0200;
const uint32_t kShapeSelected = 0x0400;
const uint32_t kFlippable = 0x0800;
const int kFlipHelp = 201;
const int kShadowHelp = 202;
const int kResetDuplicateStep = 300;
const int kSelectEdited = 1;
const int kMakeShapeHelp = 206;

struct Plan {
    int undoKind = kUndoStepDrawing;
    int selectMode = 0;
    bool continueStep = false;
    RECT extent = {0, 0, 0, 0};
    bool relink = false;
    bool markEdited = false;
    bool repaintAll = false;
    bool realizePalette = false;
};

// The drawing of a view locked for the length of a scope; Release() lets go
// early, before anything reopens the drawing.
class LockedDrawing {
public:
    explicit LockedDrawing(void* viewRecord) : handle_(GetViewDrawingHandle(viewRecord))
    {
        drawing_ = handle_ ? static_cast<DrawingRecord*>(GlobalLock(handle_)) : nullptr;
    }
    ~LockedDrawing() { Release(); }
    LockedDrawing(const LockedDrawing&) = delete;
    LockedDrawing& operator=(const LockedDrawing&) = delete;

    void Release()
    {
        if (drawing_)
            GlobalUnlock(handle_);
        drawing_ = nullptr;
    }
    HGLOBAL handle() const { return handle_; }
    DrawingRecord* get() const { return drawing_; }

private:
    HGLOBAL handle_;
    DrawingRecord* drawing_ = nullptr;
};

bool HasBits(HGLOBAL drawing, uint32_t bits)
{
    return (GetSelectionCommandFlags(drawing) & bits) == bits;
}

bool HasShadowToHide(void* viewRecord, HGLOBAL drawingHandle, const DrawingRecord* drawing, Plan* plan)
{
    if (drawing->style.shadowKind == 0)
        return false;
    if (ReadViewField(viewRecord, kViewTextEditor) != 0 || HasBits(drawingHandle, kShapeSelected)) {
        plan->selectMode = kSelectEdited;
        return true;
    }
    return HasBits(drawingHandle, kLineLike) && (drawing->style.flags & kStyleShadowOnLines);
}

bool HasTextShadow(void* viewRecord, HGLOBAL drawingHandle, const DrawingRecord* drawing)
{
    return drawing->style.shadowKind != 0 && (drawing->style.flags & kStyleShadowOnText) &&
           (HasBits(drawingHandle, kTakesText) || ReadViewField(viewRecord, kViewTextEditor) != 0);
}

// A nudge continues the run of arrow presses (or the moves after a
// Duplicate) as one step.
void PlanNudge(void* viewRecord, Plan* plan)
{
    const int pending = ReadViewField(viewRecord, kViewPendingUndo);
    plan->continueStep = pending == kUndoStepNudge || pending == kUndoStepMoveAfterDuplicate;
    plan->undoKind = pending == kUndoStepDuplicate || pending == kUndoStepMoveAfterDuplicate
                         ? kUndoStepMoveAfterDuplicate
                         : kUndoStepNudge;
    if (plan->continueStep)
        plan->undoKind = pending;
}

bool AppliesToArrange(int operation, LPARAM argument, void* viewRecord, HGLOBAL drawingHandle,
                      DrawingRecord* drawing, Plan* plan)
{
    const bool selection = drawing->selectedCount > 0;
    plan->relink = plan->markEdited = true;
    switch (operation) {
    case kEditDuplicate: {
        const int pending = ReadViewField(viewRecord, kViewPendingUndo);
        if (pending != kUndoStepDuplicate && pending != kUndoStepMoveAfterDuplicate)
            drawing->duplicateDx = drawing->duplicateDy = kResetDuplicateStep;
        plan->undoKind = kUndoStepDuplicate;
        plan->selectMode = kSelectEdited;
        return selection;
    }
    case kEditLock:
    case kEditSendToBack:
    case kEditBringToFront:
    case kEditGroup:
    case kEditUngroup:
        return selection;
    case kEditJoin:
        plan->undoKind = kUndoStepJoin;
        return MakeShapeCommand(drawing) != 0;
    case kEditAlign:
        plan->undoKind = kUndoStepMove;
        return CanAlignSelection(viewRecord, drawing, static_cast<int>(argument));
    case kEditNudge:
        plan->relink = plan->markEdited = false;
        PlanNudge(viewRecord, plan);
        return selection;
    case kEditSameSize:
        plan->undoKind = kUndoStepResize;
        return CanMakeSameSize(drawing, static_cast<int>(argument));
    case kEditFlip:
        plan->undoKind = kUndoStepFlip;
        if (!HasBits(drawingHandle, kFlippable)) {
            ShowInfoDialog("INFO_FLIP", kFlipHelp);
            return false;
        }
        return CanFlipSelection(drawing);
    case kEditHideShadow:
    case kEditTextShadow: {
        plan->undoKind = kUndoStepHideShadow;
        const bool applies = operation == kEditHideShadow ? HasShadowToHide(viewRecord, drawingHandle, drawing, plan)
                                                          : HasTextShadow(viewRecord, drawingHandle, drawing);
        if (operation == kEditTextShadow)
            plan->selectMode = kSelectEdited;
        if (!applies)
            ShowInfoDialog("INFO_HIDESHADOW", kShadowHelp);
        return applies;
    }
    case kEditSpaceEvenly:
        plan->undoKind = kUndoStepMove;
        return CanSpaceEvenly(drawing, static_cast<int>(argument));
    case kEditCenterOnPage:
        if (DrawingObjectsExtent(drawing, &plan->extent))
            return true;
        WarnById(IDS_NOTHING_TO_CENTER);
        return false;
    default:
        return false;
    }
}

// Group offers to join lines that would close into a shape instead; Join
// answers for the Join command without asking again.
int GroupOrJoin(DrawingRecord* drawing)
{
    if (drawing->selectedCount == 0 || MakeShapeFromLines(drawing, 1) != kErrNone)
        return kEditGroup;
    return ShowInfoDialog(INFO_MAKESHAPEGROUP_NAME, kMakeShapeHelp) == IDOK ? kEditJoin : kEditGroup;
}

// Whether the command applies, with its step's kind; notices for a refusal.
// Group may become Join.
bool Applies(HWND view, int* operation, LPARAM argument, void* viewRecord, HGLOBAL drawingHandle,
             DrawingRecord* drawing, Plan* plan)
{
    if (*operation == kEditGroup && GroupOrJoin(drawing) == kEditJoin) {
        *operation = kEditJoin;
        plan->undoKind = kUndoStepJoin;
        plan->relink = plan->markEdited = true;
        return true;
    }
    switch (*operation) {
    case kEditShapeOutline:
        plan->undoKind = kUndoStepEditShape;
        plan->relink = plan->markEdited = true;
        return ShapeToLineCommand(view, drawing) != 0;
    case kEditCut:
        plan->undoKind = kUndoStepCut;
        plan->relink = plan->markEdited = plan->repaintAll = plan->realizePalette = true;
        return drawing->selectedCount > 0;
    case kEditCopy:
        plan->undoKind = kUndoStepCopy;
        return true;
    case kEditPaste: {
        plan->undoKind = kUndoStepPaste;
        plan->relink = plan->markEdited = true;
        const int text = GetPasteMenuText();
        // Our own objects may land anywhere: the whole view is repainted.
        plan->repaintAll = text == IDS_PASTE_DRAWING;
        return text != 0;
    }
    case kEditClear:
        plan->undoKind = kUndoStepDelete;
        plan->relink = plan->markEdited = plan->repaintAll = plan->realizePalette = true;
        return drawing->selectedCount > 0;
    case kEditUseSnaps:
    case kEditLinesLink:
    case kEditShapesLink:
        return true;
    case kEditImportMetafile:
    case kEditPlacePicture:
        plan->undoKind = kUndoStepImport;
        plan->relink = plan->markEdited = true;
        return true;
    case kEditShowLength:
        plan->undoKind = kUndoStepShowLength;
        plan->relink = true;
        if (HasBits(drawingHandle, kAnyObject | kTakesText))
            return true;
        ShowInfoDialog("INFO_DIM", 30055);
        return false;
    case kEditLineTextDirection:
        plan->undoKind = kUndoStepLineText;
        plan->relink = true;
        return HasBits(drawingHandle, kAnyObject | kTakesText);
    case kEditTextSizing:
        // The rule was chosen before the drawing was locked.
        plan->relink = plan->markEdited = true;
        return true;
    case kEditShapeSizing:
    case kEditArrowheads:
        // Chosen in their dialogs before anything was locked.
        plan->undoKind = kUndoStepAppearance;
        return true;
    default:
        // Codes 6..29 and 41 are no operations.
        return AppliesToArrange(*operation, argument, viewRecord, drawingHandle, drawing, plan);
    }
}

// Shape Sizing carries its two answers in one argument.
LPARAM PackSizing(int growRule, int colourState)
{
    return static_cast<LPARAM>(static_cast<uint32_t>(growRule & 0xFFFF) | (static_cast<uint32_t>(colourState) << 16));
}

int32_t SizingRuleOf(LPARAM argument)
{
    // Signed: a rule left unchosen over differing shapes comes back as -1.
    return static_cast<int16_t>(argument & 0xFFFF);
}

int32_t ColourStateOf(LPARAM argument)
{
    return static_cast<int16_t>((static_cast<uint32_t>(argument) >> 16) & 0xFFFF);
}

// The dialogs of Text Sizing and Shape Sizing run before anything is locked
// or a step opened; false when the command does not apply or is cancelled.
bool AskTextSizing(HWND view, LPARAM* argument)
{
    if (!HasBits(ViewDrawingHandle(view), kTakesText))
        return false;
    SelectionAttributes summary{};
    if (GatherSelectionAttributes(view, kShapeAttributes, &summary, nullptr) != kSelectionGathered)
        return false;
    int rule = summary.textBoxWord;
    // Mixed or missing rules: there is no one rule to offer.
    if (rule < 0 || !FrameCalls.editTextSizing(&rule))
        return false;
    *argument = rule;
    return true;
}

bool AskShapeSizing(HWND view, LPARAM* argument)
{
    if (!HasBits(ViewDrawingHandle(view), kShapeSelected)) {
        ShowInfoDialog("INFO_PICTDLG", kShapeSizingHelpTopic);
        return false;
    }
    SelectionAttributes summary{};
    if (GatherSelectionAttributes(view, kShapeAttributes, &summary, nullptr) != kSelectionGathered)
        return false;
    const bool pictureChoice = static_cast<int32_t>(summary.stateFlags) >= 0 && (summary.stateFlags & kTextBoxOrPicture);
    int colourState = kColoursDoNotApply;
    if (pictureChoice && SelectedOptionsDiffer(ViewDrawingHandle(view), kKeepsColours))
        colourState = kColoursMixed;
    else if (pictureChoice)
        colourState = static_cast<int>(summary.optionFlags & kKeepsColours);
    int growRule = summary.sizingConstraint < 0 ? kGrowRuleMixed : summary.sizingConstraint;
    if (!FrameCalls.editShapeSizing(&growRule, &colourState))
        return false;
    // Differing rules left unchosen stay each shape's own; with nothing
    // chosen at all there is nothing to change.
    if (growRule < 0 && colourState == kColoursDoNotApply)
        return false;
    *argument = PackSizing(growRule, colourState);
    return true;
}

// Arrowheads carries the start word, the end word and the size in one
// argument, 16 bits each.
LPARAM PackArrowheads(int32_t start, int32_t end, int32_t size)
{
    const uint64_t packed = (static_cast<uint64_t>(static_cast<uint16_t>(start))) |
                            (static_cast<uint64_t>(static_cast<uint16_t>(end)) << 16) |
                            (static_cast<uint64_t>(static_cast<uint16_t>(static_cast<int16_t>(size))) << 32);
    return static_cast<LPARAM>(packed);
}

// The value of the arrowheads message: start, size, end.
void UnpackArrowheads(LPARAM argument, int32_t value[3])
{
    const uint64_t packed = static_cast<uint64_t>(argument);
    value[0] = static_cast<int32_t>(packed & 0xFFFF);
    value[1] = static_cast<int16_t>((packed >> 32) & 0xFFFF);
    value[2] = static_cast<int32_t>((packed >> 16) & 0xFFFF);
}

bool AskArrowheads(HWND view, LPARAM* argument)
{
    HGLOBAL drawing = ViewDrawingHandle(view);
    if (!HasBits(drawing, kAnyObject) || !FrameCalls.editArrowheads)
        return false;
    SelectionAttributes summary{};
    if (GatherSelectionAttributes(view, kLineAttributes, &summary, nullptr) != kSelectionGathered)
        return false;
    int32_t start = summary.startArrow;
    int32_t end = summary.endArrow;
    int32_t size = summary.arrowSize;
    if (!FrameCalls.editArrowheads(drawing, &size, &start, &end))
        return false;
    *argument = PackArrowheads(start, end, size);
    return true;
}

// New lines take the heads chosen last; a part left mixed keeps the default.
void SetDefaultArrowheads(DrawingRecord* drawing, const int32_t value[3])
{
    drawing->startArrow = MergeArrowheadWord(drawing->startArrow, value[0]);
    drawing->endArrow = MergeArrowheadWord(drawing->endArrow, value[2]);
    if (value[1] != kNoArrowSize)
        drawing->arrowSize = value[1];
}

// Whether the last Paste took our own drawing format (else it imported).
bool LastPasteWasOurs = true;
bool DuplicateHintShown = false;
bool ImportHintShown = false;
const int kDuplicateHintTopic = 105;
const int kImportHintTopic = 121;

// Duplicate and an imported paste are explained once per run while hints are on.
void ShowEditHints(int operation)
{
    if (!ViewOptionSet(kOptionsHints))
        return;
    if (operation == kEditDuplicate && !DuplicateHintShown) {
        DuplicateHintShown = true;
        ShowInfoDialog(HINT_DUPLICATE_NAME, kDuplicateHintTopic);
    } else if (operation == kEditPaste && !LastPasteWasOurs && !ImportHintShown) {
        ImportHintShown = true;
        ShowInfoDialog(HINT_IMPORT_NAME, kImportHintTopic);
    }
}

ErrorCode RunArrange(int operation, HWND view, void* viewRecord, DrawingRecord* drawing, LPARAM argument,
                     const Plan& plan)
{
    const int value = static_cast<int>(argument);
    switch (operation) {
    case kEditDuplicate:
        return DuplicateSelection(view, viewRecord, drawing);
    case kEditLock:
        ToggleSelectionLock(drawing);
        return kErrNone;
    case kEditSendToBack:
        SendSelectionToBack(view, viewRecord, drawing);
        return kErrNone;
    case kEditBringToFront:
        BringSelectionToFront(view, viewRecord, drawing, -1);
        return kErrNone;
    case kEditAlign:
        return AlignSelection(view, viewRecord, drawing, value);
    case kEditNudge:
        return NudgeSelection(view, viewRecord, drawing, value, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    case kEditSameSize:
        return MakeSameSize(view, viewRecord, drawing, value);
    case kEditFlip:
        return FlipSelection(view, viewRecord, drawing, value);
    case kEditHideShadow:
        return ToggleShadowOption(drawing, kOptionHideShadow);
    case kEditTextShadow:
        return ToggleShadowOption(drawing, kOptionHideTextShadow);
    case kEditGroup:
        return GroupSelection(view, viewRecord, drawing);
    case kEditJoin:
        return MakeShapeFromLines(drawing, 0);
    case kEditShapeOutline:
        return ShapeToLines(view, drawing, 0);
    case kEditUngroup:
        UngroupSelection(view, viewRecord, drawing);
        return kErrNone;
    case kEditSpaceEvenly:
        return SpaceSelectionEvenly(view, viewRecord, drawing, value);
    case kEditCenterOnPage:
        return CenterDrawingOnPage(view, viewRecord, drawing, plan.extent);
    default:
        return kErrNone;
    }
}

ErrorCode Run(int operation, HWND view, void* viewRecord, DrawingRecord* drawing, LPARAM argument,
              const POINT* point, const Plan& plan)
{
    switch (operation) {
    case kEditCut: {
        ErrorCode code = CopySelection(view, viewRecord, drawing, 0);
        return code == kErrNone ? DeleteObjects(drawing, 1, -1) : code;
    }
    case kEditCopy:
        return CopySelection(view, viewRecord, drawing, 1);
    case kEditPaste: {
        bool ours = false;
        const ErrorCode code = PasteFromClipboard(view, viewRecord, &ours);
        LastPasteWasOurs = ours;
        return code;
    }
    case kEditClear:
        return DeleteObjects(drawing, 1, -1);
    case kEditUseSnaps:
        drawing->flags ^= kDrawingSnap;
        SetViewOption(kOptionsSnap, (drawing->flags & kDrawingSnap) != 0);
        return kErrNone;
    case kEditLinesLink:
        drawing->flags ^= kDrawingLinesLink;
        SetViewOption(kOptionsLinesLink, (drawing->flags & kDrawingLinesLink) != 0);
        return kErrNone;
    case kEditShapesLink:
        drawing->flags ^= kDrawingShapesLink;
        SetViewOption(kOptionsShapesLink, (drawing->flags & kDrawingShapesLink) != 0);
        return kErrNone;
    case kEditImportMetafile: {
        ErrorCode code = ImportWmfFile(view, drawing, static_cast<HFILE>(argument), point);
        if (code == kErrNone)
            code = RealizeDocumentPalette(view, viewRecord);
        return code;
    }
    case kEditPlacePicture: {
        if (!argument)
            return kErrNoMemory;
        ErrorCode code = PlaceDibPicture(view, drawing, reinterpret_cast<HGLOBAL>(argument), point);
        if (code == kErrNone)
            code = RealizeDocumentPalette(view, viewRecord);
        return code;
    }
    case kEditTextSizing:
        return ApplyToSelectionWarning(view, kMsgSetTextBoxWord, argument, 0, 1);
    case kEditShapeSizing: {
        const int32_t value[2] = {-1, SizingRuleOf(argument)};
        return ApplyToSelectionWarning(view, kMsgTextSizing, ColourStateOf(argument),
                                       reinterpret_cast<INT_PTR>(value), 1);
    }
    case kEditArrowheads: {
        int32_t value[3];
        UnpackArrowheads(argument, value);
        ErrorCode code = ApplyToSelectionWarning(view, kMsgArrowheads, 0, reinterpret_cast<INT_PTR>(value), 1);
        if (code == kErrNone)
            SetDefaultArrowheads(drawing, value);
        return code;
    }
    case kEditShowLength: {
        int32_t value[2] = {-1, static_cast<int32_t>(argument)};
        return ApplyToSelectionWarning(view, 82, 0, reinterpret_cast<INT_PTR>(value), 1);
    }
    case kEditLineTextDirection: {
        int32_t value[2] = {-1, static_cast<int32_t>(argument)};
        ErrorCode code = ApplyToSelectionWarning(view, 88, 0, reinterpret_cast<INT_PTR>(value), 1);
        if (argument)
            drawing->flags |= kDrawingLineTextLevel;
        else
            drawing->flags &= ~kDrawingLineTextLevel;
        if (AppOptions) {
            uint16_t flags;
            std::memcpy(&flags, AppOptions + kOptionsTextOnLines, sizeof(flags));
            flags = argument ? static_cast<uint16_t>(flags | 0x02) : static_cast<uint16_t>(flags & ~0x02);
            std::memcpy(AppOptions + kOptionsTextOnLines, &flags, sizeof(flags));
        }
        return code;
    }
    default:
        return RunArrange(operation, view, viewRecord, drawing, argument, plan);
    }
}

} // namespace

ErrorCode DoEditOperation(HWND view, int operation, LPARAM argument, const POINT* point)
{
    HGLOBAL viewHandle = GetViewRecordHandle(view);
    if (!viewHandle)
        return kErrNoMemory;
    void* viewRecord = GlobalLock(viewHandle);
    if (!viewRecord)
        return kErrNoMemory;
    if ((operation == kEditTextSizing && !AskTextSizing(view, &argument)) ||
        (operation == kEditShapeSizing && !AskShapeSizing(view, &argument)) ||
        (operation == kEditArrowheads && !AskArrowheads(view, &argument))) {
        GlobalUnlock(viewHandle);
        return kErrNone;
    }
    Plan plan;
    bool applies = false;
    {
        LockedDrawing drawing(viewRecord);
        applies = drawing.get() &&
                  Applies(view, &operation, argument, viewRecord, drawing.handle(), drawing.get(), &plan);
    }
    if (!applies) {
        GlobalUnlock(viewHandle);
        return kErrNone;
    }
    SetAppCursor(1);
    // Closing the editor may swap the drawing's records: nothing stays locked.
    if (ReadViewField(viewRecord, kViewTextEditor) != 0 && EndTextEdit(view, plan.selectMode) != kErrNone) {
        GlobalUnlock(viewHandle);
        SetAppCursor(0);
        return kErrNone;
    }
    // A step that cannot be opened could not roll the command back: the
    // command stops with its message instead of running without undo.
    ErrorCode code = plan.continueStep ? ErrorCode(kErrNone) : BeginDocumentUndo(view, plan.undoKind);
    if (code != kErrNone) {
        GlobalUnlock(viewHandle);
        SetAppCursor(0);
        ReportEditError(code);
        return code;
    }
    {
        LockedDrawing drawing(viewRecord);
        code = drawing.get() ? MarkDrawingTablesChanged(drawing.handle(), drawing.get()) : kErrNoMemory;
        if (code == kErrNone)
            code = Run(operation, view, viewRecord, drawing.get(), argument, point, plan);
        if (code == kErrNone && plan.relink)
            code = UpdateLinks(drawing.get());
        if (code == kErrNone && plan.markEdited)
            MarkDrawingEdited(view, viewRecord, plan.repaintAll ? 1 : 0);
        if (code == kErrNone && plan.realizePalette && ReadViewField(viewRecord, kViewPalette) != 0)
            code = RealizeDocumentPalette(view, viewRecord);
    }
    if (code != kErrNone)
        DiscardError(SwapDocumentUndo(view, 0), "the roll-back warns of its own failure");
    else if (operation != kEditCopy)
        SetDocumentModified(viewRecord);
    GlobalUnlock(viewHandle);
    SetAppCursor(0);
    if (operation == kEditCenterOnPage && code == kErrNone)
        CentreViewContents(view);
    if (code != kErrNone)
        ReportEditError(code);
    else
        ShowEditHints(operation);
    return code;
}
