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
#include "objects/object_delete.h"
#include "objects/picture_place.h"
#include "objects/placeable_metafile.h"
#include "objects/paste_menu_text.h"
#include "resources/resource_ids.h"
#include "view/clipboard_copy.h"
#include "view/clipboard_paste.h"
#include "objects/selection_attributes.h"
#include "objects/update_links.h"
#include "store/record_store.h"
#include "common/edit_errors.h"
#include "view/selection_command_report.h"
#include "view/end_text_edit.h"
#include "objects/view_record_word.h"

namespace {

const uint32_t kAnyObject = 0x0001;
const uint32_t kTakesText = 0x0004;

struct Plan {
    int undoKind = kUndoStepDrawing;
    int selectMode = 0;
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

void ToggleOptionFlag(uint16_t flag, bool on)
{
    if (!AppOptions)
        return;
    uint16_t flags;
    std::memcpy(&flags, AppOptions + kOptionsFlags, sizeof(flags));
    flags = on ? static_cast<uint16_t>(flags | flag) : static_cast<uint16_t>(flags & ~flag);
    std::memcpy(AppOptions + kOptionsFlags, &flags, sizeof(flags));
}

bool HasBits(HGLOBAL drawing, uint32_t bits)
{
    return (GetSelectionCommandFlags(drawing) & bits) == bits;
}

// Whether the command applies, with its step's kind; notices for a refusal.
bool Applies(int operation, HGLOBAL drawingHandle, const DrawingRecord* drawing, Plan* plan)
{
    switch (operation) {
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
    default:
        // Codes 6..29 and 41 are no operations; the arrange and grouping
        // operations are not part of this program yet.
        return false;
    }
}

ErrorCode MarkTablesChanged(HGLOBAL drawingHandle, DrawingRecord* drawing)
{
    ErrorCode code = MarkRecordChanged(drawingHandle);
    for (DrawingTableId table : {kTableObjects, kTableDrawOrder, kTableGroups})
        if (code == kErrNone)
            code = MarkDrawingTableChanged(drawing, table);
    return code;
}

ErrorCode Run(int operation, HWND view, void* viewRecord, DrawingRecord* drawing, LPARAM argument,
              const POINT* point)
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
        return PasteFromClipboard(view, viewRecord, &ours);
    }
    case kEditClear:
        return DeleteObjects(drawing, 1, -1);
    case kEditUseSnaps:
        drawing->flags ^= kDrawingSnap;
        ToggleOptionFlag(kOptionsSnap, (drawing->flags & kDrawingSnap) != 0);
        return kErrNone;
    case kEditLinesLink:
        drawing->flags ^= kDrawingLinesLink;
        ToggleOptionFlag(kOptionsLinesLink, (drawing->flags & kDrawingLinesLink) != 0);
        return kErrNone;
    case kEditShapesLink:
        drawing->flags ^= kDrawingShapesLink;
        ToggleOptionFlag(kOptionsShapesLink, (drawing->flags & kDrawingShapesLink) != 0);
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
        return kErrNone;
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
    Plan plan;
    bool applies = false;
    {
        LockedDrawing drawing(viewRecord);
        applies = drawing.get() && Applies(operation, drawing.handle(), drawing.get(), &plan);
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
    ErrorCode code = BeginDocumentUndo(view, plan.undoKind);
    if (code != kErrNone) {
        GlobalUnlock(viewHandle);
        SetAppCursor(0);
        ReportEditError(code);
        return code;
    }
    {
        LockedDrawing drawing(viewRecord);
        code = drawing.get() ? MarkTablesChanged(drawing.handle(), drawing.get()) : kErrNoMemory;
        if (code == kErrNone)
            code = Run(operation, view, viewRecord, drawing.get(), argument, point);
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
    if (code != kErrNone)
        ReportEditError(code);
    return code;
}
