#include "view/route_edit_command.h"

#include "common/window_helpers.h"
#include "common/app_globals.h"
#include "objects/kind_messages.h"
#include "objects/selection_attributes.h"
#include "objects/text_format_bar.h"
#include "text/object_text_messages.h"
#include "text/ten_char_format.h"
#include "text/ten_clipboard.h"
#include "text/ten_messages.h"
#include "common/edit_errors.h"
#include "view/selection_command_report.h"
#include "objects/document_undo.h"
#include "view/edit_operations.h"
#include "view/selection_access.h"
#include "view/selection_changes.h"
#include "documents/view_children.h"

namespace {

const WPARAM kFormatSmaller = 0x4803;
const WPARAM kFormatLarger = 0x2803;

// The editor takes commands only while it is the view's first child and has
// the keyboard focus.
HWND FocusedEditor(HWND view)
{
    HWND editor = ViewEditorOf(view);
    return editor && GetFocus() == editor ? editor : nullptr;
}

int StyleBit(int code)
{
    switch (code) {
    case kRouteBold: return 1;
    case kRouteItalic: return 2;
    case kRouteUnderline: return 4;
    case kRouteSuperscript: return 16;
    case kRouteSubscript: return 32;
    default: return 0;
    }
}

// 1 when the editor carried the command out.
int RouteToEditor(HWND editor, int code)
{
    switch (code) {
    case kRouteUndo:
        if (SendMessageA(editor, TENM_GETUNDOKIND, 0, 0) == 0)
            return 0;
        SendMessageA(editor, EM_UNDO, 0, 0);
        return 1;
    case kRouteCut:
        ReportEditError(DeleteTenSelection(MainWindow, editor, 1));
        return 1;
    case kRouteCopy:
        ReportEditError(CopyTenSelection(MainWindow, editor));
        return 1;
    case kRoutePaste:
        ReportEditError(PasteTenText(MainWindow, editor));
        return 1;
    case kRouteClear:
        ReportEditError(DeleteTenSelection(MainWindow, editor, 0));
        return 1;
    case kRouteBold:
    case kRouteItalic:
    case kRouteUnderline:
    case kRouteSuperscript:
    case kRouteSubscript:
        ToggleTenStyle(editor, StyleBit(code));
        return 1;
    case kRouteSelectAll:
        SendMessageA(editor, TENM_SETSEL, 2, static_cast<LPARAM>(32000) << 16);
        return 1;
    case kRouteSmaller:
        SendMessageA(editor, TENM_SETCHARFORMAT, kFormatSmaller, 0);
        return 1;
    case kRouteLarger:
        SendMessageA(editor, TENM_SETCHARFORMAT, kFormatLarger, 0);
        return 1;
    default:
        return 0;
    }
}

void RouteToSelection(HWND view, int code)
{
    switch (code) {
    case kRouteUndo:
        DiscardError(SwapDocumentUndo(view, 1), "the undo warns of its own failure");
        break;
    case kRouteCut:
    case kRouteCopy:
    case kRoutePaste:
    case kRouteClear:
    case kRouteTextSizing:
    case kRouteShapeSizing:
    case kRouteEditOutline:
        DiscardError(DoEditOperation(view, code, 0, nullptr), "the operation reports its own failure");
        break;
    case kRouteSelectAll:
        SelectAllObjects();
        break;
    default:
        ApplyTextStyleToSelection(view, code);
        break;
    }
}

} // namespace

int RouteEditCommand(int command)
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view) {
        MessageBeep(static_cast<UINT>(-1));
        return 0;
    }
    HWND editor = FocusedEditor(view);
    if (editor && RouteToEditor(editor, command))
        return command;
    RouteToSelection(view, command);
    return command;
}

void SelectAllObjects()
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (view && ViewDrawingHandle(view))
        SelectObjectsInRect(view, nullptr);
}

void ApplyTextStyleToSelection(HWND view, int code)
{
    if (!ViewDrawingHandle(view))
        return;
    SelectionAttributes summary{};
    TextFormatSummary text{};
    DiscardError(GatherSelectionAttributes(view, kMsgCollectShapeAttributes, &summary, &text),
                 "what could not be gathered stays unset, as for mixed values");
    TextAttributeRequest request{};
    switch (code) {
    case kRouteBold:
    case kRouteItalic:
    case kRouteUnderline: {
        const int bit = StyleBit(code);
        if (text.styleFlags & static_cast<uint32_t>(bit)) {
            request.changeMask = 0x20;
            request.clearStyle = bit;
            RunSelectionCommand(view, kMsgTextClearStyle, 0, reinterpret_cast<INT_PTR>(&request));
        } else {
            request.changeMask = 0x10;
            request.setStyle = bit;
            RunSelectionCommand(view, kMsgTextSetStyle, 0, reinterpret_cast<INT_PTR>(&request));
        }
        UpdateTextFormatBar(view);
        break;
    }
    case kRouteSuperscript:
    case kRouteSubscript:
        // These apply to edited text only.
        UpdateTextFormatBar(view);
        break;
    case kRouteSmaller:
        RunSelectionCommand(view, kMsgTextSizeDown, 0, reinterpret_cast<INT_PTR>(&request));
        break;
    case kRouteLarger:
        RunSelectionCommand(view, kMsgTextSizeUp, 0, reinterpret_cast<INT_PTR>(&request));
        break;
    default:
        break;
    }
}
