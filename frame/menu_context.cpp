#include "frame/menu_context.h"

#include "common/app_globals.h"
#include "common/help_mode.h"
#include "common/window_helpers.h"
#include "documents/view_children.h"
#include "objects/color_style.h"
#include "objects/drawing_tables.h"
#include "objects/paste_menu_text.h"
#include "objects/selection_attributes.h"
#include "objects/view_record.h"
#include "resources/resource_ids.h"
#include "text/ten_char_format.h"
#include "text/ten_clipboard.h"
#include "text/ten_messages.h"
#include "text/ten_state_access.h"
#include "view/selection_access.h"

namespace {

const int kShapeAttributes = 28;
const int kLineAttributes = 38;
const uint32_t kTextBoxState = 0x0100;
const uint32_t kKeepsColoursOption = 0x0001;
const uint32_t kHideShadowOption = 0x0002;
const uint32_t kNoTextShadowOption = 0x0004;
const int kPasteText = 1;

// A summary word: -1 (mixed) and -2 (none) carry no bits.
uint32_t SummaryBits(uint32_t word)
{
    return static_cast<int32_t>(word) < 0 ? 0u : word;
}

void ReadUndo(HWND view, MenuContext* c)
{
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return;
    c->document = true;
    if (c->undoIndex == 0 && record->pendingUndo != 0)
        c->undoIndex = record->pendingUndo + ((record->flags & kViewUndoUndone) ? 1 : 0);
    ReleaseViewRecord(view);
}

// The open editor answers for the text it edits.
void ReadEditedText(HWND editor, MenuContext* c)
{
    c->textColour = static_cast<int32_t>(SendMessageA(editor, TENM_GETCHARFORMAT, kCharColor, 0));
    c->textHorizontal = static_cast<int32_t>(SendMessageA(editor, TENM_GETALIGNMENT, 0, 0));
    c->textVertical = static_cast<int32_t>(SendMessageA(editor, TENM_GETVALIGN, 0, 0));
    TenStateLock state(editor);
    c->textShadow = state && (state->stateFlags & kTenOwnerHasShadow) != 0;
}

void ReadEditor(HWND view, MenuContext* c)
{
    HWND editor = ViewEditorOf(view);
    c->editorOpen = editor != nullptr;
    if (editor)
        ReadEditedText(editor, c);
    c->editorFocused = editor && GetFocus() == editor;
    if (!c->editorFocused)
        return;
    c->editorSelection = HasTenSelection(editor) != 0;
    int redo = 0;
    const int kind = GetTenUndoState(editor, &redo);
    if (kind)
        c->undoIndex = kind + redo;
    if (QueryTenPasteFormat(MainWindow))
        c->pasteIndex = kPasteText;
}

void ReadDrawing(HGLOBAL handle, MenuContext* c)
{
    DrawingRecord* drawing = static_cast<DrawingRecord*>(GlobalLock(handle));
    if (!drawing)
        return;
    c->drawing = true;
    c->selectedCount = drawing->selectedCount;
    c->drawingFlags = drawing->flags;
    c->backgroundColour = static_cast<int32_t>(drawing->style.backgroundColor);
    c->styleTextShadow = drawing->style.shadowKind != 0 && (drawing->style.flags & kStyleShadowOnText) != 0;
    {
        LockedTable objects(drawing, kTableObjects);
        c->objectCount = objects.Count();
    }
    GlobalUnlock(handle);
    c->selectionFlags = GetSelectionCommandFlags(handle);
    if (!c->editorFocused) {
        // Our drawings, metafiles and bitmaps, as Paste would take them.
        const int text = GetPasteMenuText();
        if (text != 0)
            c->pasteIndex = text - IDS_PASTE_BASE;
    }
}

void ReadAttributes(HWND view, MenuContext* c)
{
    if (c->editorOpen || c->selectionFlags == 0)
        return;
    SelectionAttributes shapes{};
    TextFormatSummary text{};
    if (GatherSelectionAttributes(view, kShapeAttributes, &shapes, &text) != kSelectionGathered)
        return;
    c->textInSelection = text.face != kAttributeUnset;
    c->textAlignmentSet = shapes.textPlacement != kAttributeUnset;
    c->textBox = (SummaryBits(shapes.stateFlags) & kTextBoxState) != 0;
    c->shadowHidden = (SummaryBits(shapes.optionFlags) & kHideShadowOption) != 0;
    c->textShadow = c->styleTextShadow && !(SummaryBits(shapes.optionFlags) & kNoTextShadowOption);
    c->shapeType = shapes.shapeType;
    c->textColour = static_cast<int32_t>(text.color);
    c->textHorizontal = shapes.textAlignment;
    c->textVertical = shapes.textPlacement;
    c->fillColour = static_cast<int32_t>(shapes.fillColor);
    c->outlineColour = static_cast<int32_t>(shapes.lineColor);
    c->fillMode = shapes.fillMode;
    c->outlineStyle = shapes.lineStyle;
    c->outlineWidth = shapes.lineWidth;
    SelectionAttributes lines{};
    if ((c->selectionFlags & kSelLineKinds) &&
        GatherSelectionAttributes(view, kLineAttributes, &lines, nullptr) == kSelectionGathered) {
        c->lineColour = static_cast<int32_t>(lines.lineColor);
        c->lineStyle = lines.lineStyle;
        c->lineWidth = lines.lineWidth;
    }
    c->fillLocked = c->textBox && !c->textInSelection && (SummaryBits(shapes.optionFlags) & kKeepsColoursOption);
}

} // namespace

MenuContext GatherMenuContext(bool withAttributes)
{
    MenuContext c;
    c.helpMode = HelpMode != 0;
    c.mapi = MapiEnabled != 0;
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view)
        return c;
    ReadEditor(view, &c);
    ReadUndo(view, &c);
    if (!c.document)
        return c;
    if (HGLOBAL drawing = ViewDrawingHandle(view))
        ReadDrawing(drawing, &c);
    if (withAttributes && c.drawing)
        ReadAttributes(view, &c);
    return c;
}
