#include "view/command_routing.h"

#include "common/window_helpers.h"
#include "objects/color_table.h"
#include "objects/drawing_tables.h"
#include "objects/group_transform.h"
#include "objects/object_kind_table.h"
#include "documents/document_window_hooks.h"
#include "objects/view_record.h"
#include "objects/kind_messages.h"
#include "objects/selection_attributes.h"
#include "text/font_dialogs.h"
#include "text/font_list.h"
#include "documents/document_window_hooks.h"
#include "text/object_text_messages.h"
#include "text/ten_char_format.h"
#include "text/ten_edit.h"
#include "text/ten_notifications.h"
#include "text/ten_state_access.h"
#include "objects/text_block.h"
#include "text/ten_messages.h"
#include "common/edit_errors.h"
#include "view/selection_command_report.h"
#include "view/selection_access.h"
#include "documents/view_children.h"

namespace {

const WPARAM kParagraphFormatRelayout = 129;
const WPARAM kEditorParagraphStep = 18;
const int kDefaultBulletIndent = 120;

HWND ActiveDrawingView()
{
    HWND document = GetActiveDocWindow(nullptr);
    return document ? DocumentViewOf(document) : nullptr;
}

// The menu's H digit (0 left, 1 right, 2 centre, 3 flush) as the text
// engine's code.
int HorizontalCode(int horizontal)
{
    static const int kCodes[] = {0, 2, 6, 32};
    const int h = horizontal - 20;
    return h >= 0 && h < 4 ? kCodes[h] : 0;
}

// The menu's V digit (2 top, 3 bottom, 4 centre).
int VerticalCode(int vertical)
{
    switch (vertical - 18) {
    case 3: return 8;
    case 4: return 6;
    default: return 0;
    }
}

void ApplyParagraphFormat(HWND editor, const TextParagraph& format, bool keepParagraphs, bool wholeText)
{
    const LRESULT index = SendMessageA(editor, TENM_FINDPARAGRAPH, 0, reinterpret_cast<LPARAM>(&format));
    if (index < 0)
        return;
    const LRESULT selection = SendMessageA(editor, TENM_GETSEL, 0, 0);
    SendMessageA(editor, TENM_SAVEUNDO, kEditorParagraphStep, 0);
    if (wholeText)
        SendMessageA(editor, TENM_SETSEL, 0, static_cast<LPARAM>(32000) << 16);
    else
        SendMessageA(editor, TENM_SELECTPARAGRAPHS, 0, 0);
    SendMessageA(editor, TENM_SETCHARFORMAT, kParagraphFormatRelayout, index);
    if (wholeText || !keepParagraphs)
        SendMessageA(editor, TENM_SETSEL, 2, selection);
}

// The editor open over an object of the view, or none.
HWND ObjectTextEditor(HWND view)
{
    HWND editor = ViewEditorOf(view);
    return editor && SendMessageA(editor, TENM_GETROLE, 0, 0) == 1 ? editor : nullptr;
}

// Names font blocks that a dialog moved; unchanged ones keep their tokens.
void KeepFontBlocks(ViewRecord* record, HGLOBAL fontList, HGLOBAL fontTable)
{
    if (fontList && fontList != GetViewFontList(record))
        SetViewFontList(record, fontList);
    if (fontTable && fontTable != GetViewFontTable(record))
        SetViewFontTable(record, fontTable);
}

// The editor's own dialog; the document takes the faces it may have added.
void EditorTypeface(HWND view, HWND editor)
{
    SendMessageA(editor, TENM_FONTDIALOG, 0, 0);
    HGLOBAL fontList = nullptr;
    HGLOBAL fontTable = nullptr;
    {
        TenStateLock state(editor);
        if (!state)
            return;
        fontList = state->fontList;
        fontTable = state->fontTable;
    }
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return;
    KeepFontBlocks(record, fontList, fontTable);
    ReleaseViewRecord(view);
}

void SelectionTypeface(HWND view)
{
    SelectionAttributes summary{};
    TextFormatSummary text{};
    DiscardError(GatherSelectionAttributes(view, kMsgCollectShapeAttributes, &summary, &text),
                 "what could not be gathered stays unset, as for mixed values");
    ViewRecord* record = LockViewRecord(view);
    if (!record)
        return;
    HGLOBAL fontList = GetViewFontList(record);
    HGLOBAL fontTable = GetViewFontTable(record);
    HDC dc = GetViewMeasuringDC(record);
    ReleaseViewRecord(view);
    int slot = text.face;
    int size = text.size;
    // The dialog shows bold and italic only; underline stays as it is.
    const int boldItalic = kTextBold | kTextItalic;
    int style = static_cast<int>(text.styleFlags & (boldItalic | kSummaryStylesDiffer));
    const int chosen = ChooseTextFont(GetParent(view), &fontList, &fontTable, dc, &slot, &size, &style);
    // The dialog may have added a face, moving the blocks.
    record = LockViewRecord(view);
    if (record) {
        KeepFontBlocks(record, fontList, fontTable);
        ReleaseViewRecord(view);
    }
    if (chosen != 1)
        return;
    TextAttributeRequest request{};
    if (slot >= 0) {
        request.changeMask |= 4;
        request.face = slot;
    }
    if (size > 0) {
        request.changeMask |= 8;
        request.size = size;
    }
    if (style != kMixedStyle) {
        request.setStyle = style & boldItalic;
        request.clearStyle = ~style & boldItalic;
        if (request.setStyle)
            request.changeMask |= 0x10;
        if (request.clearStyle)
            request.changeMask |= 0x20;
    }
    if (request.changeMask)
        RunSelectionCommand(view, kMsgTextTypeface, 0, reinterpret_cast<INT_PTR>(&request));
}


} // namespace

int SetTypeface()
{
    HWND view = ActiveDrawingView();
    if (!view)
        return 0;
    HWND editor = ObjectTextEditor(view);
    if (editor)
        EditorTypeface(view, editor);
    else if (ViewDrawingHandle(view))
        SelectionTypeface(view);
    return 0;
}

int SetTextAlignment(int horizontal, int vertical)
{
    HWND view = ActiveDrawingView();
    if (!view)
        return 0;
    const int h = HorizontalCode(horizontal);
    const int v = VerticalCode(vertical);
    // An open editor takes it even without the focus.
    HWND editor = ViewEditorOf(view);
    if (editor) {
        TextParagraph format{};
        SendMessageA(editor, TENM_GETPARAGRAPH, 0, reinterpret_cast<LPARAM>(&format));
        format.alignment = h;
        const int before = static_cast<int>(SendMessageA(editor, TENM_GETVALIGN, 0, 0));
        ApplyParagraphFormat(editor, format, before != v, false);
        SendMessageA(editor, TENM_SETVALIGN, 3, v);
        return 0;
    }
    if (!ViewDrawingHandle(view))
        return 0;
    TextAttributeRequest request{};
    request.alignment = h;
    request.verticalAlignment = v;
    RunSelectionCommand(view, kMsgTextAlignment, 0, reinterpret_cast<INT_PTR>(&request));
    return 0;
}

int SetBulletStyle(int bullet)
{
    HWND view = ActiveDrawingView();
    if (!view || bullet < 0 || bullet > 4)
        return 0;
    HWND editor = ViewEditorOf(view);
    if (editor) {
        TextParagraph format{};
        SendMessageA(editor, TENM_GETPARAGRAPH, 0, reinterpret_cast<LPARAM>(&format));
        format.bullet = bullet;
        // The paragraph record's default indent makes room for the bullet.
        format.leftIndent = bullet ? (format.reserved > 0 ? format.reserved : kDefaultBulletIndent) : 0;
        ApplyParagraphFormat(editor, format, false, false);
        return 0;
    }
    if (!ViewDrawingHandle(view))
        return 0;
    TextAttributeRequest request{};
    request.alignment = bullet;
    RunSelectionCommand(view, kMsgTextFrame, 0, reinterpret_cast<INT_PTR>(&request));
    return 0;
}

namespace {

const WPARAM kSymbolStep = 22;
const int kTypingStep = 2;

// The chosen font's face in the document's font list and its slot in the
// font table; -1 when either cannot be had.
int SymbolFontSlot(HWND view, HWND editor, const LOGFONTA& font)
{
    HGLOBAL fontList = nullptr;
    HGLOBAL fontTable = nullptr;
    {
        TenStateLock state(editor);
        if (!state)
            return -1;
        fontList = state->fontList;
        fontTable = state->fontTable;
    }
    const int face = FindOrAddFace(&fontList, font.lfFaceName, &font);
    const int slot = face < 0 ? -1 : FindOrAddFontIndex(&fontTable, face);
    {
        TenStateLock state(editor);
        if (state) {
            state->fontList = fontList;
            state->fontTable = fontTable;
        }
    }
    if (ViewRecord* record = LockViewRecord(view)) {
        KeepFontBlocks(record, fontList, fontTable);
        ReleaseViewRecord(view);
    }
    return slot;
}

void SetEditorUndoKind(HWND editor, int kind)
{
    TenStateLock state(editor);
    if (state)
        state->undoKind = kind;
}

} // namespace

int InsertSymbol()
{
    HWND view = ActiveDrawingView();
    HWND editor = view ? ViewEditorOf(view) : nullptr;
    if (!editor || !FrameCalls.chooseSymbol)
        return 0;
    LOGFONTA font{};
    int notDefault = 0;
    const int character = FrameCalls.chooseSymbol(&font, &notDefault);
    // The dialog hands the focus back to the main window: typing and Undo
    // go on in the text.
    SetFocus(editor);
    if (character == 0)
        return 0;
    const int slot = notDefault ? SymbolFontSlot(view, editor, font) : -1;
    if (notDefault && slot < 0)
        return 0;
    SendMessageA(editor, TENM_SAVEUNDO, kSymbolStep, 0);
    if (notDefault)
        SendMessageA(editor, TENM_SETCHARFORMAT, kCharFace | kApplyLayout, slot);
    SetEditorUndoKind(editor, kTypingStep);
    SendMessageA(editor, WM_CHAR, static_cast<WPARAM>(character), notDefault ? 0 : 1);
    // Undo then reads "Undo Insert Symbol".
    if (SendMessageA(editor, TENM_GETUNDOKIND, 0, 0) != 0)
        SetEditorUndoKind(editor, static_cast<int>(kSymbolStep));
    return 0;
}

int SetTextColorFromList(int index)
{
    HWND view = ActiveDrawingView();
    if (!view || index < 0 || index >= kColorTableSize)
        return 0;
    const COLORREF color = StandardColors()[index];
    HWND editor = ObjectTextEditor(view);
    if (editor) {
        SendMessageA(editor, TENM_SETCHARFORMAT, kApplyUndoStep | kCharColor | kApplyRepaint | kApplyLayout,
                     static_cast<LPARAM>(color));
        const DWORD selection = static_cast<DWORD>(SendMessageA(editor, TENM_GETSEL, 0, 0));
        // With nothing selected the colour is where typing goes on.
        if (LOWORD(selection) == HIWORD(selection))
            SendMessageA(view, TENN_DEFAULTATTR, 3, static_cast<LPARAM>(color));
        return 0;
    }
    if (!ViewDrawingHandle(view))
        return 0;
    TextAttributeRequest request{};
    request.changeMask = 128;
    request.color = color;
    RunSelectionCommand(view, kMsgTextColor, 0, reinterpret_cast<INT_PTR>(&request));
    return 0;
}
