#include "view/route_edit_command.h"

#include "common/window_helpers.h"
#include "view/document_undo.h"
#include "view/edit_operations.h"
#include "view/selection_changes.h"
#include "view/view_children.h"

namespace {

const int kRouteUndo = 1;
const int kRouteSelectAll = 12;

} // namespace

// Least version until command routing to the text editor lands: the commands
// go to the active document's drawing view and its selection.
int RouteEditCommand(int command)
{
    HWND document = GetActiveDocWindow(nullptr);
    HWND view = document ? DocumentViewOf(document) : nullptr;
    if (!view)
        return 0;
    switch (command) {
    case kRouteUndo:
        if (GetDocumentUndoKind(view, nullptr) == 0)
            return 0;
        SwapDocumentUndo(view, 1);
        return 1;
    case kEditCut:
    case kEditCopy:
    case kEditPaste:
    case kEditClear:
        DoEditOperation(view, command, 0, nullptr);
        return 1;
    case kRouteSelectAll:
        SelectObjectsInRect(view, nullptr);
        return 1;
    default:
        return 0;
    }
}
